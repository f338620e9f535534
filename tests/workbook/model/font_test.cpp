#include "workbook/model/font.h"

#include <gtest/gtest.h>

#include "style_test_support.h"

namespace workbook {
namespace {

using test::Narrow;

TEST(FontStyle, KeyPutsVerticalPositionBeforeStrikeOut) {
  TExportFontStyle style;
  style.Bold = 1;
  style.Underline = 2;
  style.Italic = 3;
  style.StrikeOut = 4;
  style.VertPosition = 5;
  EXPECT_EQ(Narrow(style.GetKeyString()), "1;2;3;5;4");
}

TEST(FontStyle, MergeTakesOnlySetBytes) {
  TExportFontStyle target;
  target.Bold = 1;
  target.Italic = 2;
  TExportFontStyle source;
  source.Italic = 1;
  source.VertPosition = 2;
  target.Merge(source);
  EXPECT_EQ(target.Bold, 1);
  EXPECT_EQ(target.Italic, 1);
  EXPECT_EQ(target.VertPosition, 2);
  EXPECT_EQ(target.Underline, 0);
  EXPECT_FALSE(target.IsEmpty());
  EXPECT_TRUE(TExportFontStyle().IsEmpty());
}

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
}

TEST(FontStyle, SetFontStylesSetsEveryByte) {
  TExportFontStyle style;
  style.SetFontStyles(TExportFontStyle::fsBold | TExportFontStyle::fsStrikeOut);
  EXPECT_EQ(Narrow(style.GetKeyString()), "1;5;2;3;1");
  style.SetFontStyles(TExportFontStyle::fsItalic | TExportFontStyle::fsUnderline);
  EXPECT_EQ(Narrow(style.GetKeyString()), "2;1;1;3;2");
}

TEST(Font, NewFontIsTenPointAutomaticWithoutName) {
  TExportFont font;
  EXPECT_EQ(font.GetSize(), 10);
  EXPECT_EQ(font.GetColor(), 0x1FFFFFFF);
  EXPECT_TRUE(font.GetName().empty());
  EXPECT_TRUE(font.GetStyle().IsEmpty());
  EXPECT_EQ(Narrow(font.GetKeyString()), "10;0;0;0;0;0;536870911;");
}

TEST(Font, KeyWritesColourSignedAndNameLast) {
  TExportFont font;
  font.SetSize(-1);
  font.SetColor(static_cast<TColor>(0x80000008));
  font.SetName(u"Times; New");
  font.GetStyle().Bold = 1;
  EXPECT_EQ(Narrow(font.GetKeyString()), "-1;1;0;0;0;0;-2147483640;Times; New");
}

TEST(Font, MergeTakesOnlySetFields) {
  TExportFont target;
  target.SetSize(12);
  target.SetColor(0x0000FF);
  target.SetName(u"Calibri");
  target.GetStyle().Bold = 1;
  const TExportFont before = target;
  TExportFont overlay;
  overlay.SetSize(-1);
  target.Merge(overlay);
  EXPECT_EQ(target, before);
  overlay.SetSize(0);
  overlay.SetColor(0x123456);
  overlay.GetStyle().Underline = 5;
  target.Merge(overlay);
  EXPECT_EQ(Narrow(target.GetKeyString()), "0;1;5;0;0;0;1193046;Calibri");
}

}  // namespace
}  // namespace workbook
