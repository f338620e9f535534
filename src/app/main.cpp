// The program: the main window and its two companions on one GUI thread.
#include <QApplication>

#include "app/ui/main_app.h"
#include "app/ui/message_form.h"
#include "platform/qt/qt_services.h"
#include "workbook/formats/library_start.h"

int main(int argc, char** argv) {
  // The spreadsheet library's handlers and hooks, before anything can load a workbook.
  workbook::StartWorkbookLibrary();
  QApplication application(argc, argv);
  platform::TRealServices services;
  services.Install();

  app::TMainApp mainApp;
  app::TMessageForm messageForm;
  mainApp.show();
  return application.exec();
}
