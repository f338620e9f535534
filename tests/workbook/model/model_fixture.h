#pragma once
// Tests of the workbook model run with the date/time globals the application sets and with a
// known point-decimal locale; both are restored afterwards.
#include <gtest/gtest.h>

#include "platform/format_settings.h"
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

}  // namespace workbook
