// Qt's own buttons and dialogs speak Slovak once the translation is installed.
#include "platform/qt/qt_translation.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLibraryInfo>
#include <QPushButton>

namespace platform {
namespace {

TEST(QtTranslation, StandardButtonsAreSlovak) {
  const QString file = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_sk.qm";
  if (!QFile::exists(file)) GTEST_SKIP() << file.toStdString() << " is not installed";
  ASSERT_TRUE(InstallSlovakQtTexts(*QApplication::instance()));
  QDialogButtonBox buttons(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Yes)->text().remove('&'), QString::fromUtf8("Áno"));
  EXPECT_EQ(buttons.button(QDialogButtonBox::No)->text().remove('&'), QString::fromUtf8("Nie"));
  EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove('&'),
            QString::fromUtf8("Zrušiť"));
}

}  // namespace
}  // namespace platform
