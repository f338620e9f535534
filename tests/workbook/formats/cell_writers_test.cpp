#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "workbook/core/xml/xml_document.h"
#include "workbook/core/xml/xml_writer.h"
#include "workbook/formats/cell_write_context.h"
#include "workbook/formats/xlsx/xlsx_sheet_data_writer.h"
#include "workbook/formats/xml_writer_capture.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/model_fixture.h"

namespace workbook {
namespace {

using Bytes = std::vector<std::uint8_t>;

class TRecordingContext : public ICellWriteContext {
 public:
  std::uint32_t SharedStringIndex(const TExportCellString& cell) override {
    shared.push_back(cell.GetValue());
    return 7;
  }
  void AddHyperlink(const std::u16string& ref, const std::u16string& target) override {
    links.push_back(ref + u" " + target);
  }
  void AddCalcChainItem(const std::u16string& ref) override { chain.push_back(ref); }
  std::vector<std::u16string> shared, links, chain;
};

class CellWritersTest : public test::SheetTest {
 protected:
  template <class T = TExportCell>
  T* At(int col, int row, TCellClass cellClass) {
    return static_cast<T*>(sheet->FindCreateCell(col, row, cellClass, false));
  }
  Bytes Xls(TExportCell* cell, int xf = 0) {
    TMemoryStream stream;
    cell->WriteXLS(stream, xf, context_);
    return stream.Data();
  }
  std::string Xlsx(TExportCell* cell, const std::u16string& ref, int style = 0) {
    std::string xml;
    TXLSXSheetDataWriter writer(xml);
    cell->WriteXLSX(writer, ref, style, context_);
    return xml;
  }
  std::string Ods(TExportCell* cell, const std::u16string& style = u"") {
    return test::WriterText([&](TXmlWriter& w) { cell->WriteODS(w, style, context_); });
  }
  std::string OdsStyle(TExportCell* cell, const std::u16string& name) {
    return test::WriterText([&](TXmlWriter& w) {
      static_cast<TExportCellCustomNumber*>(cell)->WriteODSNumberStyle(w, name);
    });
  }
  TRecordingContext context_;
};

// NUMBER and BOOLERR records are compared with xlwt's in the XLS cell records' peer test.
TEST_F(CellWritersTest, BiffBlanksAndErrors) {
  auto* number = At<TExportCellNumber>(1, 2, TCellClass::Number);
  number->BlankZero = true;
  EXPECT_EQ(Xls(number), (Bytes{0x01, 0x02, 0x06, 0x00, 0x02, 0x00, 0x01, 0x00, 0x10, 0x00}));
  auto* flag = At<TExportCellBoolean>(0, 0, TCellClass::Boolean);
  EXPECT_EQ(Xls(flag, 3), (Bytes{0x01, 0x02, 0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0x13, 0x00}));
  flag->SetBoolean(true);
  flag->IsErrorValue = true;
  EXPECT_EQ(Xls(flag),
            (Bytes{0x05, 0x02, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x01, 0x01}));
}

TEST_F(CellWritersTest, BiffLabelAndSharedString) {
  auto* text = At<TExportCellString>(0, 0, TCellClass::String);
  text->SetSharedString(false);
  text->SetValue(u"ab");
  EXPECT_EQ(Xls(text), (Bytes{0x04, 0x02, 0x0D, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x02,
                              0x00, 0x01, 0x61, 0x00, 0x62, 0x00}));
  text->SetValue(std::u16string(300, u'x'));  // too long for LABEL: always shared
  EXPECT_EQ(Xls(text), (Bytes{0xFD, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x07,
                              0x00, 0x00, 0x00}));
  text->SetValue(u"");
  EXPECT_EQ(Xls(text)[0], 0x01);
}

TEST_F(CellWritersTest, BiffDatesWriteTheStoredSerial) {
  auto* time = At<TExportCellDateTime>(0, 0, TCellClass::Time);
  time->SetValue(45000);  // midnight of a day: a value, not an empty cell
  Bytes midnight = Xls(time);
  ASSERT_EQ(midnight.size(), 18u);
  EXPECT_EQ(midnight[0], 0x03);
  double written;
  std::memcpy(&written, midnight.data() + 10, 8);
  EXPECT_EQ(written, 45000);
  auto* date = At<TExportCellDateTime>(1, 0, TCellClass::DateTime);
  date->SetFormatCode(u"dd.mm.yyyy", false);
  date->SetValue(45000.75);  // the time part stays
  book->Date1904 = true;
  std::memcpy(&written, Xls(date).data() + 10, 8);
  EXPECT_EQ(written, 45000.75 - 1462);
}

// A row's outline level and style reach LibreOffice in the XLS round-trip peer test.
TEST_F(CellWritersTest, BiffRowRecord) {
  TExportRow* row = sheet->GetRow(4);
  TMemoryStream none;
  row->WriteXLS(none, -1, -1);
  EXPECT_EQ(none.Size(), 0);
  row->Hidden = true;
  TMemoryStream hidden;
  row->WriteXLS(hidden, -1, 20);
  EXPECT_EQ(hidden.Data(), (Bytes{0x08, 0x02, 0x10, 0x00, 0x04, 0x00, 0x00, 0x00, 0x01, 0x00,
                                  0x2C, 0x01, 0x00, 0x00, 0x00, 0x00, 0x60, 0x01, 0x00, 0x00}));
}

TEST_F(CellWritersTest, XlsxNumbersAndFormulas) {
  auto* number = At<TExportCellNumber>(1, 2, TCellClass::Number);
  number->SetValue(1234.5);
  EXPECT_EQ(Xlsx(number, u"B3", 4), "<c r=\"B3\" s=\"4\"><v>1234.5</v></c>");
  // A plain zero is a value (it was once written without <v>), unless zeros show blank.
  number->SetValue(0);
  EXPECT_EQ(Xlsx(number, u"B3"), "<c r=\"B3\" s=\"0\"><v>0</v></c>");
  number->BlankZero = true;
  EXPECT_EQ(Xlsx(number, u"B3"), "<c r=\"B3\" s=\"0\"/>");
  number->BlankZero = false;
  number->SetFormula(u"SUM(A1;A2)");
  EXPECT_EQ(Xlsx(number, u"B3"), "<c r=\"B3\" s=\"0\"><f>SUM(A1,A2)</f></c>");
  EXPECT_EQ(context_.chain, std::vector<std::u16string>{u"B3"});
  number->ReadValue(3);  // a result read with the formula is kept and written
  number->ReadFormula(u"A1+A2");
  EXPECT_EQ(Xlsx(number, u"B3"), "<c r=\"B3\" s=\"0\"><f>A1+A2</f><v>3</v></c>");
}

TEST_F(CellWritersTest, XlsxTexts) {
  auto* text = At<TExportCellString>(0, 0, TCellClass::String);
  text->SetSharedString(false);
  text->SetValue(u" a\r\nb");
  EXPECT_EQ(Xlsx(text, u"A1"),
            "<c r=\"A1\" s=\"0\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> a\nb</t></is></c>");
  // Only a trailing blank, or two blanks inside, must be kept as well.
  for (const std::u16string value : {u"a ", u"a  b", u"a\t"}) {
    text->SetValue(value);
    EXPECT_NE(Xlsx(text, u"A1").find("<t xml:space=\"preserve\">"), std::string::npos);
  }
  text->SetValue(u"a<b");
  EXPECT_EQ(Xlsx(text, u"A1"), "<c r=\"A1\" s=\"0\" t=\"inlineStr\"><is><t>a&lt;b</t></is></c>");
  text->SetSharedString(true);
  text->SetHyperlink(u"https://example.org/");
  text->SetColSpan(2);
  EXPECT_EQ(Xlsx(text, u"A1"), "<c r=\"A1\" s=\"0\" t=\"s\"><v>7</v></c>");
  EXPECT_EQ(context_.links, std::vector<std::u16string>{u"A1:B1 https://example.org/"});
}

TEST_F(CellWritersTest, XlsxDatesAndBooleans) {
  auto* time = At<TExportCellDateTime>(0, 0, TCellClass::Time);
  time->SetValue(0);
  EXPECT_EQ(Xlsx(time, u"A1"), "<c r=\"A1\" s=\"0\"><v>0</v></c>");
  auto* date = At<TExportCellDateTime>(1, 0, TCellClass::DateTime);
  EXPECT_EQ(Xlsx(date, u"B1"), "<c r=\"B1\" s=\"0\"/>");
  book->Date1904 = true;
  date->SetValue(100);
  date->SetFormatCode(u"dd.mm.yyyy", false);
  EXPECT_EQ(Xlsx(date, u"B1"),
            "<c r=\"B1\" s=\"0\" t=\"inlineStr\"><is><t>09.04.1900</t></is></c>");
  auto* flag = At<TExportCellBoolean>(2, 0, TCellClass::Boolean);
  flag->SetBoolean(false);
  EXPECT_EQ(Xlsx(flag, u"C1"), "<c r=\"C1\" s=\"0\" t=\"b\"><v>0</v></c>");
}

TEST_F(CellWritersTest, OdsCells) {
  auto* text = At<TExportCellString>(1, 0, TCellClass::String);
  text->SetValue(u"a  b\r\n c");
  EXPECT_EQ(Ods(text),
            "<table:table-cell office:value-type=\"string\"><text:p>a <text:s/>b</text:p>"
            "<text:p><text:s/>c</text:p></table:table-cell>");
  text->SetValue(u"");
  EXPECT_EQ(Ods(text, u"ce1"), "<table:table-cell table:style-name=\"ce1\"/>");
  auto* time = At<TExportCellDateTime>(2, 0, TCellClass::Time);
  time->SetValue(45000.25);
  EXPECT_EQ(Ods(time),
            "<table:table-cell office:value-type=\"time\" office:time-value=\"PT06H00M00S\"/>");
  auto* date = At<TExportCellDateTime>(3, 0, TCellClass::DateTime);
  date->SetFormatCode(u"dd.mm.yyyy", false);
  date->SetValue(45000);
  // A formula built in memory is calculated before it is written; one read is not.
  date->SetFormula(u"=DATE(2023,3,16)");
  EXPECT_EQ(Ods(date),
            "<table:table-cell table:formula=\"of:=DATE(2023;3;16)\" office:value-type=\"date\" "
            "office:date-value=\"2023-03-16\"/>");
  date->SetValue(45000);
  EXPECT_NE(Ods(date).find("office:date-value=\"2023-03-15\""), std::string::npos);
  auto* flag = At<TExportCellBoolean>(4, 0, TCellClass::Boolean);
  flag->SetBoolean(true);
  flag->SetColSpan(2);
  EXPECT_EQ(Ods(flag),
            "<table:table-cell table:number-columns-spanned=\"2\" table:number-rows-spanned=\"1\" "
            "office:value-type=\"boolean\" office:boolean-value=\"true\"/>");
}

TEST_F(CellWritersTest, XlsxAndOdsRows) {
  TExportRow* row = sheet->GetRow(2);
  std::vector<int> breaks;
  auto xlsx = [&](double height, int style) {
    std::string text;
    TXLSXSheetDataWriter writer(text);
    row->WriteXLSX(writer, height, style, breaks);
    writer.EndElement();
    return text;
  };
  EXPECT_EQ(xlsx(-1, -1), "<row r=\"3\"/>");
  row->GetStyle();
  row->Hidden = true;
  row->SetOutlineLevel(2);
  row->PageBreak = true;
  row->SetHeightMode(2);
  EXPECT_EQ(xlsx(20, 4),
            "<row s=\"4\" customFormat=\"1\" ht=\"15\" hidden=\"1\" outlineLevel=\"2\" r=\"3\"/>");
  EXPECT_EQ(breaks, std::vector<int>{2});
  EXPECT_EQ(test::WriterText([&](TXmlWriter& w) {
              row->WriteODS(w, u"ro1");
              w.EndElement();
            }),
            "<table:table-row table:style-name=\"ro1\" table:visibility=\"collapse\"/>");
}

TEST_F(CellWritersTest, RowBreaksReadOnlyManualValidOnes) {
  TXmlDocument doc;
  doc.LoadFromString(
      "<rowBreaks><brk id=\"4\" man=\"1\"/><brk id=\"6\" man=\"0\"/><brk id=\"x\" man=\"1\"/>"
      "<brk id=\"-2\" man=\"true\"/><brk id=\"99999999\" man=\"1\"/><brk id=\"1\" man=\"T\"/>"
      "</rowBreaks>");
  sheet->Rows.ReadXLSXRowBreaks(doc.DocumentElement());
  EXPECT_EQ(sheet->Rows.Count(), 5);
  EXPECT_TRUE(sheet->Rows[4]->PageBreak);
  EXPECT_TRUE(sheet->Rows[1]->PageBreak);
  EXPECT_FALSE(sheet->Rows[2]->PageBreak);
}

// Percent and currency styles are checked through LibreOffice by the ODS writer's peer test.
TEST_F(CellWritersTest, OdsNumberStyles) {
  auto* number = At<TExportCellNumber>(0, 0, TCellClass::Number);
  number->RedNegative = true;
  number->ThousandSeparator = true;
  EXPECT_EQ(OdsStyle(number, u"N1"),
            "<number:number-style style:name=\"N1PO\"><number:number number:decimal-places=\"2\" "
            "number:min-integer-digits=\"1\" number:grouping=\"true\"/></number:number-style>"
            "<number:number-style style:name=\"N1\"><style:text-properties fo:color=\"#ff0000\"/>"
            "<number:text>-</number:text><number:number number:decimal-places=\"2\" "
            "number:min-integer-digits=\"1\" number:grouping=\"true\"/><style:map "
            "style:condition=\"value()&gt;=0\" style:apply-style-name=\"N1PO\"/>"
            "</number:number-style>");
  auto* fraction = At<TExportCellFraction>(1, 0, TCellClass::Fraction);
  fraction->FractionDigits = 2;
  EXPECT_EQ(
      OdsStyle(fraction, u"F"),
      "<number:number-style style:name=\"F\"><number:fraction number:min-integer-digits=\"0\" "
      "number:min-numerator-digits=\"2\" number:min-denominator-digits=\"2\"/>"
      "</number:number-style>");
  EXPECT_EQ(OdsStyle(At(3, 0, TCellClass::Boolean), u"B"), "");
  platform::FormatSettings().DateSeparator = u'/';
  auto* date = At<TExportCellDateTime>(0, 1, TCellClass::DateTime);
  date->SetFormatCode(u"dd/mmm/yy", false);
  EXPECT_EQ(OdsStyle(date, u"D"),
            "<number:date-style style:name=\"D\"><number:day number:style=\"long\"/>"
            "<number:text>/</number:text><number:month number:style=\"short\" "
            "number:textual=\"true\"/><number:text>/</number:text><number:year "
            "number:style=\"short\"/></number:date-style>");
  auto* time = At<TExportCellDateTime>(1, 1, TCellClass::Time);
  time->SetFormatCode(u"h:mm AM/PM", false);
  EXPECT_EQ(OdsStyle(time, u"T"),
            "<number:time-style style:name=\"T\"><number:hours number:style=\"short\"/>"
            "<number:text>:</number:text><number:minutes number:style=\"long\"/>"
            "<number:text> </number:text><number:am-pm/></number:time-style>");
}

}  // namespace
}  // namespace workbook
