#include "workbook/model/font.h"

#include <gtest/gtest.h>

#include "style_test_support.h"

namespace workbook {
namespace {

using test::Narrow;

// A style byte counts only when set (1); 2 and up mean "not set" for every measure.
TEST(FontStyle, OnlySetBytesGiveMeasuringBits) {
  const struct {
    std::uint8_t bold, underline, italic, strike;
    std::uint8_t expected;
  } cases[] = {{0, 0, 0, 0, 0}, {2, 5, 2, 2, 0}, {1, 0, 0, 0, 1}, {0, 0, 1, 0, 2}, {0, 1, 0, 0, 4},
               {0, 2, 0, 0, 4}, {0, 3, 0, 0, 0}, {0, 0, 0, 1, 8}, {1, 1, 1, 1, 15}};
  for (const auto& c : cases) {
    TExportFontStyle style;
    style.Bold = c.bold;
    style.Underline = c.underline;
    style.Italic = c.italic;
    style.StrikeOut = c.strike;
    EXPECT_EQ(style.GetFontStyles(), c.expected) << Narrow(style.GetKeyString());
  }
  TExportFontStyle style;
  style.SetFontStyles(TExportFontStyle::fsBold | TExportFontStyle::fsStrikeOut);
  EXPECT_EQ(Narrow(style.GetKeyString()), "1;5;2;3;1");  // bold;underline;italic;position;strike
}

TEST(Font, MergeTakesOnlySetFields) {
  TExportFont target;
  target.SetSize(12);
  target.SetColor(0x0000FF);
  target.SetName(u"Calibri");
  target.GetStyle().Bold = 1;
  target.GetStyle().Italic = 2;
  const TExportFont before = target;
  TExportFont overlay;
  overlay.SetSize(-1);
  target.Merge(overlay);
  EXPECT_EQ(target, before);
  overlay.SetSize(0);
  overlay.SetColor(0x123456);
  overlay.GetStyle().Underline = 5;
  overlay.GetStyle().Italic = 1;
  target.Merge(overlay);
  EXPECT_EQ(Narrow(target.GetKeyString()), "0;1;5;1;0;0;1193046;Calibri");
}

}  // namespace
}  // namespace workbook
