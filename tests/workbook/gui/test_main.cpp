// The windows need one application object for the whole run, made before and freed after the
// tests (a static one would outlive the platform plugin and crash at exit).
#include <gtest/gtest.h>

#include <QApplication>

#include "workbook/model/workbook.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  workbook::WorkbookDateFormat = u"dd.mm.yyyy";
  workbook::WorkbookTimeFormat = u"hh:mm:ss";
  auto application = std::make_unique<QApplication>(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  application.reset();
  return result;
}
