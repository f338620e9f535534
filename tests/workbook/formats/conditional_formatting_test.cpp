#include "workbook/model/conditional_formatting.h"

#include <gtest/gtest.h>

#include <functional>

#include "workbook/core/exceptions.h"
#include "workbook/formats/cond_format_spread.h"
#include "workbook/formats/ods/ods_conditional_formatting.h"
#include "workbook/formats/ods/ods_conditional_styles.h"
#include "workbook/formats/sheet_record_support.h"
#include "workbook/formats/xls/biff_builder.h"
#include "workbook/formats/xls/xls_conditional_formatting.h"
#include "workbook/formats/xls/xls_formula_tokens.h"
#include "workbook/formats/xlsx/xlsx_cond_form_styles.h"
#include "workbook/formats/xlsx/xlsx_palette.h"
#include "workbook/model/cell.h"

namespace workbook {
namespace {

using namespace xls_test;
using test::Hex;
using test::OneRecord;
using test::XmlScratch;

constexpr TColor kMaroon = 0x000080;  // palette entry 16 (RGB 800000)
constexpr TColor kTeal = 0x808000;    // palette entry 21 (RGB 008080)

// Stands in for the formula engine: one or two digits become a ptgInt token, "?" none (a formula
// the engine cannot encode), anything else its characters behind a 0xFF marker.
class FakeTokens : public IXLSFormulaTokens {
 public:
  Bytes Encode(const std::u16string& formula, int, int) override {
    std::u16string text = formula[0] == u'=' ? formula.substr(1) : formula;
    if (text == u"?") return {};
    if (text.size() <= 2 && text.find_first_not_of(u"0123456789") == std::u16string::npos)
      return {0x1E, static_cast<std::uint8_t>(std::stoi(std::string(text.begin(), text.end()))), 0};
    Bytes bytes{0xFF};
    for (char16_t c : text) bytes.push_back(static_cast<std::uint8_t>(c));
    return bytes;
  }
  std::u16string Decode(std::span<const std::uint8_t> tokens, int, int) override {
    if (tokens.size() == 3 && tokens[0] == 0x1E) {
      const std::string s = std::to_string(tokens[1]);
      return std::u16string(s.begin(), s.end());
    }
    return std::u16string(tokens.begin() + 1, tokens.end());
  }
};

// Stands in for the style sheet's dxf list.
class FakeStyles : public IXLSXCondFormStyles {
 public:
  struct Style {
    TColor font;
    TExportFontStyle style;
    TColor fill;
  };
  std::vector<Style> styles;
  int priority = 0;
  int AddStyle(TColor fontColor, const TExportFontStyle& fontStyle, TColor fillColor) override {
    styles.push_back({fontColor, fontStyle, fillColor});
    return static_cast<int>(styles.size()) - 1;
  }
  int NextPriority() override { return ++priority; }
  int Count() const override { return static_cast<int>(styles.size()); }
  void GetStyle(int index, TColor& fontColor, TExportFontStyle& fontStyle,
                TColor& fillColor) const override {
    fontColor = styles[index].font;
    fontStyle = styles[index].style;
    fillColor = styles[index].fill;
  }
};

class CondFormatTest : public test::SheetTest {
 protected:
  void SetUp() override {
    test::SheetTest::SetUp();
    sheet->SetName(u"Data");
    cell_ = sheet->FindCreateCell(2, 4, TCellClass::Empty, false);
  }
  TExportConditionalFormatting& Formatting() { return cell_->GetConditionalFormatting(); }
  TExportConditionalFormattingRule* Add(std::uint8_t op, const char16_t* f1,
                                        const char16_t* f2 = u"") {
    return TExportConditionalFormattingRule::AddRule(Formatting().Rules, op, f1, f2);
  }
  std::string XlsHex(const std::function<void(TMemoryStream&)>& write) {
    TMemoryStream stream;
    write(stream);
    return Hex(stream.Data());
  }
  TExportCell* cell_ = nullptr;
  FakeTokens tokens_;
  TExporterXLSX_Palette palette_;
};

TEST_F(CondFormatTest, FillOnlyRuleRecord) {
  Add(cfoGreaterThan, u"10")->FillColor = kMaroon;
  // Cell value, greater than; a fill block and no font block; solid, colour 16 << 7.
  EXPECT_EQ(XlsHex([&](TMemoryStream& s) {
              Formatting().GetRule(0)->WriteXLS(s, palette_, tokens_, 0, 0);
            }),
            "B1 01 13 00 01 05 03 00 00 00 00 00 38 20 00 00 00 04 00 08 1E 0A 00");
}

TEST_F(CondFormatTest, FontBlockRecordAndItsReading) {
  auto* rule = Add(cfoBetween, u"1", u"5");
  rule->FontColor = kTeal;
  rule->FontStyle.Bold = 1;
  rule->FontStyle.Italic = 2;
  rule->FontStyle.Underline = 4;
  TMemoryStream stream;
  rule->WriteXLS(stream, palette_, tokens_, 0, 0);
  // 64 bytes of no font name, height unchanged, weight 700, double accounting underline,
  // colour 21, the strike-out and position flags not set, underline and boldness set.
  EXPECT_EQ(Hex(stream.Data()),
            "B1 01 88 00 01 01 03 00 03 00 00 00 38 04 00 00 " + Hex(Bytes(64, 0)) +
                " FF FF FF FF 00 00 00 00 BC 02 00 00 22 00 00 00 15 00 00 00 00 00 00 00 80 00 "
                "00 00 01 00 00 00 00 00 00 00 00 00 00 00 01 00 00 00 00 00 00 00 00 00 00 00 "
                "01 00 1E 01 00 1E 05 00");
  OneRecord record(stream.Data());
  TExportConditionalFormattingRule read;
  ASSERT_TRUE(read.ReadXLS(record.Reader(), palette_, tokens_, 0, 0));
  EXPECT_EQ(read.GetIdentityKeyString(), rule->GetIdentityKeyString());
}

TEST_F(CondFormatTest, CondFmtRecordThenRulesLastFirst) {
  cell_->SetColSpan(3);
  cell_->SetRowSpan(2);
  Add(cfoEqual, u"1");
  Add(cfoNotEqual, u"2");
  // Two rules, rows 4-5 and columns 2-4 twice around one range; not equal (4) before equal (3).
  EXPECT_EQ(XlsHex([&](TMemoryStream& s) { Formatting().WriteXLS(s, palette_, tokens_); }),
            "B0 01 16 00 02 00 01 00 04 00 05 00 02 00 04 00 01 00 04 00 05 00 02 00 04 00 "
            "B1 01 0F 00 01 04 03 00 00 00 00 00 38 00 00 00 1E 02 00 "
            "B1 01 0F 00 01 03 03 00 00 00 00 00 38 00 00 00 1E 01 00");
  // Rules the engine cannot encode (either formula of a range) are left out and not counted.
  Add(cfoGreaterThan, u"?");
  Add(cfoBetween, u"3", u"?");
  EXPECT_EQ(XlsHex([&](TMemoryStream& s) { Formatting().WriteXLS(s, palette_, tokens_); }),
            "B0 01 16 00 02 00 01 00 04 00 05 00 02 00 04 00 01 00 04 00 05 00 02 00 04 00 "
            "B1 01 0F 00 01 04 03 00 00 00 00 00 38 00 00 00 1E 02 00 "
            "B1 01 0F 00 01 03 03 00 00 00 00 00 38 00 00 00 1E 01 00");
  TExportCell* lone = sheet->FindCreateCell(0, 0, TCellClass::Empty, false);
  TExportConditionalFormattingRule::AddRule(lone->GetConditionalFormatting().Rules, cfoEqual, u"?",
                                            u"");
  EXPECT_EQ(XlsHex([&](TMemoryStream& s) {
              lone->ConditionalFormattingIfAny()->WriteXLS(s, palette_, tokens_);
            }),
            "");
  // A cell beyond the 256 columns of a BIFF8 sheet writes nothing.
  TExportCell* far = sheet->FindCreateCell(300, 0, TCellClass::Empty, false);
  TExportConditionalFormattingRule::AddRule(far->GetConditionalFormatting().Rules, cfoEqual, u"1",
                                            u"");
  EXPECT_EQ(XlsHex([&](TMemoryStream& s) {
              far->ConditionalFormattingIfAny()->WriteXLS(s, palette_, tokens_);
            }),
            "");
}

// Accepted rules give their identity; refused ones an empty text; "throws" a damaged file.
struct CfReadCase {
  const char* name;
  Bytes data;
  const char16_t* identity;
};

class CfRecordRead : public CondFormatTest, public ::testing::WithParamInterface<CfReadCase> {};

TEST_P(CfRecordRead, ReadsRefusesOrThrows) {
  OneRecord record(Record(0x01B1, GetParam().data));
  TExportConditionalFormattingRule rule;
  const std::u16string identity = GetParam().identity;
  if (identity == u"throws") {
    EXPECT_THROW(rule.ReadXLS(record.Reader(), palette_, tokens_, 0, 0), EWorkbookFileException);
    return;
  }
  EXPECT_EQ(rule.ReadXLS(record.Reader(), palette_, tokens_, 0, 0), !identity.empty());
  if (!identity.empty()) {
    EXPECT_EQ(rule.GetIdentityKeyString(), identity);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Records, CfRecordRead,
    ::testing::Values(
        CfReadCase{"Code0", {0x02, 0x00, 0x03, 0x00, 0, 0, 0, 0, 0x38, 0, 0, 0, 0x1E, 1, 0}, u""},
        CfReadCase{"Code9", {0x01, 0x09, 0x03, 0x00, 0, 0, 0, 0, 0x38, 0, 0, 0, 0x1E, 1, 0}, u""},
        CfReadCase{"NoFormula", {0x01, 0x03, 0, 0, 0, 0, 0, 0, 0x38, 0, 0, 0}, u""},
        CfReadCase{"TokenCountBeyondTheRecord",
                   {0x01, 0x03, 0xFF, 0x7F, 0, 0, 0, 0, 0x38, 0, 0, 0, 0x1E, 1, 0},
                   u"throws"},
        // Alignment, border and protection blocks are passed over; the fill's colour index
        // sits in bits 7-13.
        CfReadCase{"SkippedBlocks",
                   Join({{0x01, 0x06, 0x03, 0x00, 0, 0, 0, 0, 0x38, 0x78, 0, 0},
                         {1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4, 5, 6, 7, 8},
                         {0x00, 0x04, 0x00, 0x08, 0xAA, 0xBB, 0x1E, 0x07, 0x00}}),
                   u"3;7;;;0;0;0;0;0;#800000;"}),
    [](const auto& info) { return info.param.name; });

TEST_F(CondFormatTest, CondFmtRangesAreBoundedByTheRecordAndTheSheet) {
  // Claims 1000 ranges but holds three; the second starts in column 300, beyond BIFF8's 256, the
  // third runs past it and comes in reversed order.
  OneRecord record(Record(0x01B0, Join({Word(2), Word(1), Bytes(8, 0), Word(1000), Word(7), Word(8),
                                        Word(3), Word(4), Word(1), Word(1), Word(300), Word(300),
                                        Word(9), Word(2), Word(300), Word(200)})));
  const std::vector<TCellRangeRef> ranges = ReadXLSCondFmtRanges(record.Reader());
  ASSERT_EQ(ranges.size(), 2u);
  EXPECT_EQ(MakeCellRangeRef(ranges[0].Col1, ranges[0].Row1, ranges[0].Col2 - ranges[0].Col1 + 1,
                             false, ranges[0].Row2 - ranges[0].Row1 + 1),
            u"D8:E9");
  EXPECT_EQ(MakeCellRangeRef(ranges[1].Col1, ranges[1].Row1, ranges[1].Col2 - ranges[1].Col1 + 1,
                             false, ranges[1].Row2 - ranges[1].Row1 + 1),
            u"GS3:IV10");
}

// Large ranges reach only the sheet's content (here 5 rows, 3 columns): a whole BIFF8 column
// among them, and one wholly to the right of the content gives nothing.
TEST_F(CondFormatTest, LargeRangesSpreadOnlyOverTheContent) {
  TExportConditionalFormatting read(nullptr);
  TExportConditionalFormattingRule::AddRule(read.Rules, cfoEqual, u"1", u"");
  TCondFormatSpread spread(*sheet);
  spread.Apply({TCellRangeRef{0, 0, 0, 65535}, TCellRangeRef{5, 0, 255, 65535}}, read.Rules, false);
  EXPECT_EQ(sheet->Rows.Count(), 5);
  TExportCell* cell = nullptr;
  ASSERT_TRUE(sheet->FindCell(0, 4, cell));
  ASSERT_NE(cell->ConditionalFormattingIfAny(), nullptr);
  EXPECT_EQ(cell->ConditionalFormattingIfAny()->Count(), 1);
  EXPECT_FALSE(sheet->FindCell(5, 0, cell));
}

TEST_F(CondFormatTest, XlsxRulesLastFirstWithPriorities) {
  cell_->SetColSpan(2);
  Add(cfoEqual, u"=SUM(A1;A2)")->FontColor = kMaroon;
  Add(cfoBetween, u"1", u"5")->FillColor = kTeal;
  FakeStyles styles;
  XmlScratch xml("conditionalFormatting");
  Formatting().WriteXLSX(xml.Root(), styles);
  EXPECT_EQ(xml.Text(),
            "<conditionalFormatting sqref=\"C5:D5\">"
            "<cfRule type=\"cellIs\" dxfId=\"0\" priority=\"1\" stopIfTrue=\"1\" "
            "operator=\"between\"><formula>1</formula><formula>5</formula></cfRule>"
            "<cfRule type=\"cellIs\" dxfId=\"1\" priority=\"2\" stopIfTrue=\"1\" "
            "operator=\"equal\"><formula>SUM(A1,A2)</formula></cfRule>"
            "</conditionalFormatting>");
  TExportCell* read = sheet->FindCreateCell(0, 0, TCellClass::Empty, false);
  read->GetConditionalFormatting().ReadXLSX(xml.Root(), styles);
  const TExportConditionalFormatting& rules = *read->ConditionalFormattingIfAny();
  ASSERT_EQ(rules.Count(), 2);
  EXPECT_EQ(rules.GetRule(0)->GetIdentityKeyString(), u"0;SUM(A1,A2);;#800000;0;0;0;0;0;;");
  EXPECT_EQ(rules.GetRule(1)->GetIdentityKeyString(), u"6;1;5;;0;0;0;0;0;#008080;");
}

// Only a cellIs rule with a known operator, a formula and a dxf in the list is taken.
TEST_F(CondFormatTest, XlsxReadTakesOnlyValidCellIsRules) {
  const struct {
    const char *type, *dxf, *op, *formula;
    int rules;
  } kCases[] = {
      {"cellIs", "0", " operator=\"lessThan\"", "<formula>3</formula>", 1},
      {"expression", "0", " operator=\"lessThan\"", "<formula>3</formula>", 0},
      {"cellIs", "1", " operator=\"lessThan\"", "<formula>3</formula>", 0},
      {"cellIs", "-1", " operator=\"lessThan\"", "<formula>3</formula>", 0},
      {"cellIs", "0x", " operator=\"lessThan\"", "<formula>3</formula>", 0},
      {"cellIs", "0", " operator=\"lessThan\"", "<formula></formula>", 0},
      {"cellIs", "0", " operator=\"equal\"", "", 0},
      {"cellIs", "0", " operator=\"containsText\"", "<formula>3</formula>", 0},
      {"cellIs", "0", "", "<formula>3</formula>", 0},
  };
  FakeStyles styles;
  styles.styles.push_back({clNone, {}, kMaroon});
  for (const auto& c : kCases) {
    XmlScratch xml("x");
    xml.Load(std::string("<conditionalFormatting sqref=\"A1\"><cfRule type=\"") + c.type +
             "\" dxfId=\"" + c.dxf + "\"" + c.op + ">" + c.formula +
             "</cfRule></conditionalFormatting>");
    TExportConditionalFormatting formatting(nullptr);
    formatting.ReadXLSX(xml.Root(), styles);
    EXPECT_EQ(formatting.Count(), c.rules) << c.type << c.dxf << c.op << c.formula;
  }
}

TEST_F(CondFormatTest, OdsMapsAndSharedConditionalStyles) {
  TExporterODS_ConditionalFormattingStyles registry;
  TExportConditionalFormatting formatting(nullptr);
  auto add = [&](std::uint8_t op, const char16_t* f1, const char16_t* f2, TColor fill) {
    auto* rule = formatting.Rules.AddNew<TExportConditionalFormattingRule_ODS>();
    rule->Operator = op;
    rule->Formula1 = f1;
    rule->Formula2 = f2;
    rule->FillColor = fill;
    rule->SheetName = "Data";
    rule->Col = 2;
    rule->Row = 4;
  };
  add(cfoGreaterThan, u"=A1", u"", kMaroon);
  add(cfoNotBetween, u"1", u"B2", kMaroon);
  add(cfoEqual, u"0", u"", kTeal);
  XmlScratch xml("style:style");
  formatting.WriteODS(xml.Root(), registry);
  EXPECT_EQ(xml.Text(),
            "<style:style>"
            "<style:map style:condition=\"cell-content()=0\" "
            "style:apply-style-name=\"Conditional0\" style:base-cell-address=\"'Data'.C5\"/>"
            "<style:map style:condition=\"cell-content-is-not-between(1,[.B2])\" "
            "style:apply-style-name=\"Conditional1\" style:base-cell-address=\"'Data'.C5\"/>"
            "<style:map style:condition=\"cell-content()&gt;[.A1]\" "
            "style:apply-style-name=\"Conditional1\" style:base-cell-address=\"'Data'.C5\"/>"
            "</style:style>");
  XmlScratch styles("office:styles");
  registry.WriteODS(styles.Root());
  EXPECT_EQ(styles.Text(),
            "<office:styles>"
            "<style:style style:name=\"Conditional0\" style:family=\"table-cell\" "
            "style:parent-style-name=\"Default\"><style:table-cell-properties "
            "fo:background-color=\"#008080\"/></style:style>"
            "<style:style style:name=\"Conditional1\" style:family=\"table-cell\" "
            "style:parent-style-name=\"Default\"><style:table-cell-properties "
            "fo:background-color=\"#800000\"/></style:style></office:styles>");
}

TEST_F(CondFormatTest, OdsStyleWithFontColourAndStyle) {
  TExportConditionalFormattingRule rule;
  rule.FontColor = 0x0000FF;
  rule.FontStyle.Italic = 1;
  XmlScratch xml("office:styles");
  rule.WriteODSStyle(xml.Root(), 3);
  EXPECT_EQ(xml.Text(),
            "<office:styles><style:style style:name=\"Conditional3\" "
            "style:family=\"table-cell\" style:parent-style-name=\"Default\">"
            "<style:text-properties fo:color=\"#FF0000\" fo:font-style=\"italic\"/>"
            "</style:style></office:styles>");
}

}  // namespace
}  // namespace workbook
