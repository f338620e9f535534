#include "platform/qt/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace platform {
namespace {

// Qt 6 asks for the standard buttons' texts ("OK", "Cancel", "&Yes" ...) under the context
// "QPlatformTheme"; Debian's Slovak file still holds them under their earlier context
// "QDialogButtonBox", so they are looked up there.
class TStandardButtonTexts : public QTranslator {
 public:
  TStandardButtonTexts(const QTranslator& qtTexts, QObject* parent)
      : QTranslator(parent), qtTexts_(qtTexts) {}
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* sourceText, const char* disambiguation,
                    int n) const override {
    if (qstrcmp(context, "QPlatformTheme") != 0) return QString();
    return qtTexts_.translate("QDialogButtonBox", sourceText, disambiguation, n);
  }

 private:
  const QTranslator& qtTexts_;
};

}  // namespace

bool InstallSlovakQtTexts(QCoreApplication& application) {
  auto qtTexts = std::make_unique<QTranslator>();
  if (!qtTexts->load(QStringLiteral("qtbase_sk"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  auto* buttons = new TStandardButtonTexts(*qtTexts, &application);
  // The button texts' own translator outlives the one they are looked up in.
  qtTexts->setParent(buttons);
  QCoreApplication::installTranslator(qtTexts.release());
  QCoreApplication::installTranslator(buttons);
  return true;
}

}  // namespace platform
