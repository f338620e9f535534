#include "platform/qt/qt_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

#include "platform/console_runner.h"
#include "platform/file_filter.h"
#include "platform/os_version.h"
#include "platform/qt/message_dialog.h"
#include "platform/schema_validator.h"

namespace platform {
namespace {

// "Caption|*.a;*.b" becomes Qt's "Caption (*.a *.b)".
QString ToQtFilter(const std::u16string& filter) {
  QStringList entries;
  for (const auto& f : ParseFileFilter(filter)) {
    QStringList patterns;
    for (const auto& p : f.Patterns) patterns << QString::fromStdU16String(p);
    entries << QString::fromStdU16String(f.Caption) + " (" + patterns.join(' ') + ")";
  }
  return entries.join(";;");
}

std::optional<std::string> Chosen(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  // The platform's dialogs leave the chosen file's folder as the current directory.
  QDir::setCurrent(QFileInfo(path).absolutePath());
  return QDir::toNativeSeparators(path).toStdString();
}

}  // namespace

std::optional<std::string> TQtFileDialogs::OpenFile(const std::u16string& filter) {
  return Chosen(QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(),
                                             QDir::currentPath(), ToQtFilter(filter)));
}

std::optional<std::string> TQtFileDialogs::SaveFile(const std::u16string& filter) {
  // The program appends the extension itself and asks before it replaces the file it writes, so
  // the dialog must not ask about a name that may never be written.
  return Chosen(QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(),
                                             QDir::currentPath(), ToQtFilter(filter), nullptr,
                                             QFileDialog::DontConfirmOverwrite));
}

TMsgResult TQtMessageBoxes::Show(const std::u16string& text, const std::u16string& caption,
                                 TMsgButtons buttons, TMsgIcon icon) {
  TMessageDialog box(text, caption, buttons, icon, QApplication::activeWindow());
  box.exec();
  return box.Result();
}

bool TQtShell::Open(const std::string& target) {
  return QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(target)));
}

void TQtEventPump::ProcessMessages() { QCoreApplication::processEvents(); }

struct TRealServices::TImpl {
  TQtFileDialogs Dialogs;
  TQtMessageBoxes MessageBoxes;
  TQtShell Shell;
  TConsoleRunner Console;
  TOsVersion OsVersion;
  TLibXmlSchemaValidator SchemaValidator;
  TQtEventPump EventPump;
};

TRealServices::TRealServices() : impl_(std::make_unique<TImpl>()) {}
TRealServices::~TRealServices() = default;

void TRealServices::Install() {
  Services() =
      TServices{&impl_->Dialogs,   &impl_->MessageBoxes,    &impl_->Shell,    &impl_->Console,
                &impl_->OsVersion, &impl_->SchemaValidator, &impl_->EventPump};
}

}  // namespace platform
