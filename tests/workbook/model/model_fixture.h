#pragma once
// Tests of the workbook model run with the date/time globals the application sets and with a
// known point-decimal locale; both are restored afterwards. Most start from a workbook with one
// sheet.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/format_settings.h"
#include "workbook/model/progress_dlg_wrapper.h"
#include "workbook/model/workbook.h"

namespace workbook {

class ModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedSettings_ = platform::FormatSettings();
    savedDate_ = WorkbookDateFormat;
    savedTime_ = WorkbookTimeFormat;
    WorkbookDateFormat = u"%sysdate%";
    WorkbookTimeFormat = u"%systime%";
    auto& fs = platform::FormatSettings();
    fs.DecimalSeparator = u'.';
    fs.ThousandSeparator = u',';
    fs.DateSeparator = u'.';
    fs.TimeSeparator = u':';
    fs.ShortDateFormat = u"dd.MM.yyyy";
    fs.LongTimeFormat = u"hh:mm:ss";
  }
  void TearDown() override {
    platform::FormatSettings() = savedSettings_;
    WorkbookDateFormat = savedDate_;
    WorkbookTimeFormat = savedTime_;
  }

 private:
  platform::TFormatSettings savedSettings_;
  std::u16string savedDate_, savedTime_;
};

namespace test {

class SheetTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    book = std::make_unique<TWorkbook>();
    sheet = book->AddWorkSheet(u"Sheet1");
  }
  void TearDown() override {
    book.reset();
    ModelTest::TearDown();
  }
  std::unique_ptr<TWorkbook> book;
  TExportWorkSheet* sheet = nullptr;
};

// A progress window that writes down the captions and sheet texts it is shown.
class TRecordingDialog : public TWorkbookProgressDlgWrapper {
 public:
  explicit TRecordingDialog(std::vector<std::u16string>& log) : log_(log) {}
  void SetCaption(const std::u16string& caption) override { log_.push_back(u"caption " + caption); }
  void SetSheetText(const std::u16string& text) override { log_.push_back(u"sheet " + text); }
  void SetProgress(long long, long long) override {}

 private:
  std::vector<std::u16string>& log_;
};

}  // namespace test
}  // namespace workbook
