// The program: the main window and its two companions on one GUI thread.
#include <QApplication>

#include "app/ui/main_app.h"
#include "app/ui/message_form.h"
#include "app/ui/settings_form.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/qt_translation.h"
#include "workbook/formats/library_start.h"
#include "workbook/gui/gui_start.h"

int main(int argc, char** argv) {
  // The spreadsheet library's handlers and hooks, before anything can load a workbook.
  workbook::StartWorkbookLibrary();
  // Then its Qt binding: real text measuring, the progress window, the worksheet choice.
  workbook::StartWorkbookGui();
  QApplication application(argc, argv);
  platform::InstallSlovakQtTexts(application);
  platform::TRealServices services;
  services.Install();

  app::TMainApp mainApp;
  app::MainApp = &mainApp;
  app::TSettingsForm settingsForm(&mainApp);
  app::SettingsForm = &settingsForm;
  app::TMessageForm messageForm;
  app::MessageForm = &messageForm;

  mainApp.show();
  const int result = application.exec();
  app::MessageForm = nullptr;
  app::SettingsForm = nullptr;
  app::MainApp = nullptr;
  workbook::StopWorkbookGui();
  workbook::StopWorkbookLibrary();
  return result;
}
