#include <gtest/gtest.h>

#include <map>

#include "workbook/formats/ods/ods_conditional_formatting.h"
#include "workbook/formats/xls/xls_conditional_formatting.h"
#include "workbook/formats/xls/xls_formula_tokens.h"
#include "workbook/formats/xlsx/xlsx_cond_form_styles.h"
#include "workbook/formats/xml_test_support.h"
#include "workbook/model/model_fixture.h"

#include "workbook/core/exceptions.h"
#include "workbook/formats/ods/ods_conditional_styles.h"
#include "workbook/formats/xls/xls_record_reader.h"
#include "workbook/formats/xlsx/xlsx_palette.h"
#include "workbook/model/cell.h"
#include "workbook/model/conditional_formatting.h"

namespace workbook {
namespace {

using test::XmlScratch;
using Bytes = std::vector<std::uint8_t>;

constexpr TColor kMaroon = 0x000080;  // palette entry 16 (RGB 800000)

constexpr TColor kTeal = 0x808000;  // palette entry 21 (RGB 008080)

// Stands in for the formula engine: a number becomes a ptgInt token, anything else its
// characters behind a 0xFF marker.
class FakeTokens : public IXLSFormulaTokens {
 public:
  Bytes Encode(const std::u16string& formula) override {
    std::u16string text = formula[0] == u'=' ? formula.substr(1) : formula;
    if (text.size() == 1 || text.size() == 2) {
      if (text.find_first_not_of(u"0123456789") == std::u16string::npos) {
        const int value = std::stoi(std::string(text.begin(), text.end()));
        return {0x1E, static_cast<std::uint8_t>(value), 0x00};
      }
    }
    Bytes bytes{0xFF};
    for (char16_t c : text) bytes.push_back(static_cast<std::uint8_t>(c));
    return bytes;
  }
  std::u16string Decode(std::span<const std::uint8_t> tokens) override {
    if (tokens.size() == 3 && tokens[0] == 0x1E) {
      const std::string s = std::to_string(tokens[1]);
      return std::u16string(s.begin(), s.end());
    }
    std::u16string text;
    for (std::size_t i = 1; i < tokens.size(); ++i) text += static_cast<char16_t>(tokens[i]);
    return text;
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
    for (std::size_t i = 0; i < styles.size(); ++i)
      if (styles[i].font == fontColor && styles[i].style == fontStyle &&
          styles[i].fill == fillColor)
        return static_cast<int>(i);
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

Bytes StreamBytes(TMemoryStream& stream) {
  Bytes bytes(static_cast<std::size_t>(stream.Size()));
  stream.SetPosition(0);
  stream.ReadBuffer(bytes.data(), bytes.size());
  return bytes;
}

class CondFormatTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    book_ = std::make_unique<TWorkbook>();
    sheet_ = book_->AddWorkSheet(u"Data");
    cell_ = sheet_->FindCreateCell(2, 4, TCellClass::Empty, false);
  }
  TExportConditionalFormatting& Formatting() { return cell_->GetConditionalFormatting(); }
  TExportConditionalFormattingRule* Add(std::uint8_t op, const char16_t* f1,
                                        const char16_t* f2 = u"") {
    return TExportConditionalFormattingRule::AddRule(Formatting().Rules, op, f1, f2);
  }
  std::unique_ptr<TWorkbook> book_;
  TExportWorkSheet* sheet_ = nullptr;
  TExportCell* cell_ = nullptr;
  FakeTokens tokens_;
};

TEST_F(CondFormatTest, FillOnlyRuleRecord) {
  Add(cfoGreaterThan, u"10")->FillColor = kMaroon;
  TExporterXLSX_Palette palette;
  TMemoryStream stream;
  Formatting().GetRule(0)->WriteXLS(stream, palette, tokens_);
  const Bytes expected = {0xB1, 0x01, 0x13, 0x00,  // CF, 19 bytes
                          0x01, 0x05,              // cell value, greater than
                          0x03, 0x00, 0x00, 0x00,  // token counts
                          0x00, 0x00, 0x38, 0x20,  // flags: fill block, no font block
                          0x00, 0x00,              //
                          0x00, 0x04, 0x00, 0x08,  // solid, colour 16 << 7
                          0x1E, 0x0A, 0x00};
  EXPECT_EQ(StreamBytes(stream), expected);
}

TEST_F(CondFormatTest, FontBlockRecord) {
  auto* rule = Add(cfoBetween, u"1", u"5");
  rule->FontColor = kTeal;
  rule->FontStyle.Bold = 1;
  rule->FontStyle.Italic = 2;
  rule->FontStyle.Underline = 4;
  TExporterXLSX_Palette palette;
  TMemoryStream stream;
  rule->WriteXLS(stream, palette, tokens_);
  Bytes expected = {0xB1, 0x01, 0x88, 0x00,  // 12 + 118 + 3 + 3 = 136
                    0x01, 0x01, 0x03, 0x00, 0x03, 0x00, 0x00, 0x00, 0x38, 0x04, 0x00, 0x00};
  expected.insert(expected.end(), 64, 0x00);   // no font name
  const Bytes rest = {0xFF, 0xFF, 0xFF, 0xFF,  // height unchanged
                      0x00, 0x00, 0x00, 0x00,  // not italic, no strike-out
                      0xBC, 0x02,              // weight 700
                      0x00, 0x00,              // escapement
                      0x22,                    // double accounting underline
                      0x00, 0x00, 0x00,        //
                      0x15, 0x00, 0x00, 0x00,  // colour 21
                      0x00, 0x00, 0x00, 0x00,  //
                      0x80, 0x00, 0x00, 0x00,  // strike-out not set
                      0x01, 0x00, 0x00, 0x00,  // position not set
                      0x00, 0x00, 0x00, 0x00,  // underline set
                      0x00, 0x00, 0x00, 0x00,  // boldness set
                      0x01, 0x00, 0x00, 0x00,  //
                      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                      0x00, 0x01, 0x00, 0x1E, 0x01, 0x00,  // formula 1
                      0x1E, 0x05, 0x00};                   // formula 2
  expected.insert(expected.end(), rest.begin(), rest.end());
  EXPECT_EQ(StreamBytes(stream), expected);

  // Read back from the record.
  stream.SetPosition(0);
  TXLSRecordReader reader(stream);
  ASSERT_TRUE(reader.Next());
  TExportConditionalFormattingRule read;
  ASSERT_TRUE(read.ReadXLS(reader, palette, tokens_));
  EXPECT_EQ(read.GetIdentityKeyString(), rule->GetIdentityKeyString());
}

TEST_F(CondFormatTest, CondFmtRecordThenRulesLastFirst) {
  cell_->SetColSpan(3);
  cell_->SetRowSpan(2);
  Add(cfoEqual, u"1");
  Add(cfoNotEqual, u"2");
  TExporterXLSX_Palette palette;
  TMemoryStream stream;
  Formatting().WriteXLS(stream, palette, tokens_);
  const Bytes bytes = StreamBytes(stream);
  const Bytes condFmt = {0xB0, 0x01, 0x16, 0x00, 0x02, 0x00, 0x01, 0x00,  // 2 rules
                         0x04, 0x00, 0x05, 0x00, 0x02, 0x00, 0x04, 0x00,  // rows 4-5, cols 2-4
                         0x01, 0x00,                                      // one range
                         0x04, 0x00, 0x05, 0x00, 0x02, 0x00, 0x04, 0x00};
  ASSERT_GE(bytes.size(), condFmt.size() + 2 * 19);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 26), condFmt);
  EXPECT_EQ(bytes[26 + 5], 4);       // not equal first
  EXPECT_EQ(bytes[26 + 19 + 5], 3);  // then equal
  EXPECT_EQ(bytes.size(), 26u + 19 + 19);
}

TEST_F(CondFormatTest, CellBeyondTheXlsSheetWritesNothing) {
  TExportCell* far = sheet_->FindCreateCell(300, 0, TCellClass::Empty, false);
  TExportConditionalFormattingRule::AddRule(far->GetConditionalFormatting().Rules, cfoEqual, u"1",
                                            u"");
  TExporterXLSX_Palette palette;
  TMemoryStream stream;
  far->ConditionalFormattingIfAny()->WriteXLS(stream, palette, tokens_);
  EXPECT_EQ(stream.Size(), 0);
}

TMemoryStream Record(std::uint16_t id, const Bytes& data) {
  TMemoryStream stream;
  const Bytes header = {static_cast<std::uint8_t>(id), static_cast<std::uint8_t>(id >> 8),
                        static_cast<std::uint8_t>(data.size()),
                        static_cast<std::uint8_t>(data.size() >> 8)};
  stream.WriteBuffer(header.data(), header.size());
  if (!data.empty()) stream.WriteBuffer(data.data(), data.size());
  stream.SetPosition(0);
  return stream;
}

struct CfReadCase {
  const char* name;
  Bytes data;
  bool accepted;
  const char16_t* identity;
};

class CfRecordRead : public CondFormatTest, public ::testing::WithParamInterface<CfReadCase> {};

TEST_P(CfRecordRead, ReadsOrRefuses) {
  TMemoryStream stream = Record(0x01B1, GetParam().data);
  TXLSRecordReader reader(stream);
  ASSERT_TRUE(reader.Next());
  TExporterXLSX_Palette palette;
  TExportConditionalFormattingRule rule;
  EXPECT_EQ(rule.ReadXLS(reader, palette, tokens_), GetParam().accepted);
  if (GetParam().accepted) {
    EXPECT_EQ(rule.GetIdentityKeyString(), GetParam().identity);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Records, CfRecordRead,
    ::testing::Values(
        CfReadCase{
            "Code0", {0x02, 0x00, 0x03, 0x00, 0, 0, 0, 0, 0x38, 0, 0, 0, 0x1E, 1, 0}, false, u""},
        CfReadCase{
            "Code9", {0x01, 0x09, 0x03, 0x00, 0, 0, 0, 0, 0x38, 0, 0, 0, 0x1E, 1, 0}, false, u""},
        CfReadCase{"NoFormula", {0x01, 0x03, 0, 0, 0, 0, 0, 0, 0x38, 0, 0, 0}, false, u""},
        // Alignment, border and protection blocks are passed over; the fill's colour index
        // sits in bits 7-13.
        CfReadCase{"SkippedBlocks",
                   {0x01, 0x06, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x38, 0x78, 0x00, 0x00, 1,
                    2,    3,    4,    5,    6,    7,    8,    1,    2,    3,    4,    5,    6,
                    7,    8,    0x00, 0x04, 0x00, 0x08, 0xAA, 0xBB, 0x1E, 0x07, 0x00},
                   true,
                   u"3;7;;;0;0;0;0;0;#800000;"}),
    [](const auto& info) { return info.param.name; });

TEST_F(CondFormatTest, TokenCountBeyondTheRecordIsADamagedFile) {
  TMemoryStream stream =
      Record(0x01B1, {0x01, 0x03, 0xFF, 0x7F, 0, 0, 0, 0, 0x38, 0, 0, 0, 0x1E, 1, 0});
  TXLSRecordReader reader(stream);
  ASSERT_TRUE(reader.Next());
  TExporterXLSX_Palette palette;
  TExportConditionalFormattingRule rule;
  EXPECT_THROW(rule.ReadXLS(reader, palette, tokens_), EWorkbookFileException);
}

TEST_F(CondFormatTest, CondFmtTargetsAreBoundedByTheRecord) {
  // Claims 1000 ranges but holds two; the second starts in column 300, beyond BIFF8's 256.
  TMemoryStream stream = Record(0x01B0, {0x02, 0x00, 0x01, 0x00, 0,    0,    0,    0,
                                         0,    0,    0,    0,    0xE8, 0x03,  // 1000 ranges
                                         0x07, 0x00, 0x08, 0x00, 0x03, 0x00, 0x04, 0x00,
                                         0x01, 0x00, 0x01, 0x00, 0x2C, 0x01, 0x2C, 0x01});
  TXLSRecordReader reader(stream);
  ASSERT_TRUE(reader.Next());
  const auto targets = ReadXLSCondFmtTargets(reader);
  ASSERT_EQ(targets.size(), 1u);
  EXPECT_EQ(targets[0], std::make_pair(3, 7));
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

  TExportCell* read = sheet_->FindCreateCell(0, 0, TCellClass::Empty, false);
  read->GetConditionalFormatting().ReadXLSX(xml.Root(), styles);
  ASSERT_EQ(read->ConditionalFormattingIfAny()->Count(), 2);
  EXPECT_EQ(read->ConditionalFormattingIfAny()->GetRule(0)->GetIdentityKeyString(),
            u"0;SUM(A1,A2);;#800000;0;0;0;0;0;;");
  EXPECT_EQ(read->ConditionalFormattingIfAny()->GetRule(1)->GetIdentityKeyString(),
            u"6;1;5;;0;0;0;0;0;#008080;");
}

struct CfRuleXmlCase {
  const char* name;
  const char* rule;
  int rules;
};

class CfRuleXlsxRead : public CondFormatTest,
                       public ::testing::WithParamInterface<CfRuleXmlCase> {};

TEST_P(CfRuleXlsxRead, TakesOnlyValidCellIsRules) {
  FakeStyles styles;
  styles.styles.push_back({clNone, {}, kMaroon});
  XmlScratch xml("x");
  xml.Load(std::string("<conditionalFormatting sqref=\"A1\">") + GetParam().rule +
           "</conditionalFormatting>");
  Formatting().ReadXLSX(xml.Root(), styles);
  EXPECT_EQ(Formatting().Count(), GetParam().rules);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CfRuleXlsxRead,
    ::testing::Values(
        CfRuleXmlCase{"Valid",
                      "<cfRule type=\"cellIs\" dxfId=\"0\" operator=\"lessThan\" "
                      "priority=\"1\"><formula>3</formula></cfRule>",
                      1},
        CfRuleXmlCase{"Expression",
                      "<cfRule type=\"expression\" dxfId=\"0\" operator=\"lessThan\">"
                      "<formula>3</formula></cfRule>",
                      0},
        CfRuleXmlCase{"DxfOutside",
                      "<cfRule type=\"cellIs\" dxfId=\"1\" operator=\"lessThan\">"
                      "<formula>3</formula></cfRule>",
                      0},
        CfRuleXmlCase{"DxfNegative",
                      "<cfRule type=\"cellIs\" dxfId=\"-1\" operator=\"lessThan\">"
                      "<formula>3</formula></cfRule>",
                      0},
        CfRuleXmlCase{"DxfNotANumber",
                      "<cfRule type=\"cellIs\" dxfId=\"0x\" operator=\"lessThan\">"
                      "<formula>3</formula></cfRule>",
                      0},
        CfRuleXmlCase{"EmptyFormula",
                      "<cfRule type=\"cellIs\" dxfId=\"0\" operator=\"lessThan\">"
                      "<formula></formula></cfRule>",
                      0},
        CfRuleXmlCase{"NoChild", "<cfRule type=\"cellIs\" dxfId=\"0\" operator=\"equal\"/>", 0},
        CfRuleXmlCase{"UnknownOperator",
                      "<cfRule type=\"cellIs\" dxfId=\"0\" operator=\"containsText\">"
                      "<formula>3</formula></cfRule>",
                      0},
        CfRuleXmlCase{"NoOperator",
                      "<cfRule type=\"cellIs\" dxfId=\"0\"><formula>3</formula></cfRule>", 0}),
    [](const auto& info) { return info.param.name; });

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
