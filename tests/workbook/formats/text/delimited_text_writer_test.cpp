#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/text_codec.h"
#include "workbook/formats/exporter_registry.h"
#include "workbook/formats/python_peer.h"
#include "workbook/formats/text/text_exporter.h"
#include "workbook/formats/text/text_test_support.h"
#include "workbook/model/cell_string.h"

namespace workbook {
namespace {

using test_support::PythonAvailable;
using test_support::TScratchDir;
using test_support::WriteFileBytes;

const std::string kBom = "\xEF\xBB\xBF";

class TextExportTest : public TextFormatsTest {
 protected:
  TExportWorkSheet& Sheet() { return *Book().GetActiveWorkSheet(); }
  // Appends a row of string cells.
  TExportRow& AddRow(const std::vector<std::u16string>& texts) {
    TExportRow& row = *Sheet().AddRow();
    for (const std::u16string& text : texts) row.AddCellString(text);
    return row;
  }
};

// Every cell is quoted with inner quotes doubled; a spanning cell stands for its columns;
// untouched rows are written empty and untouched columns as empty texts; line breaks inside cells
// become blanks unless asked not to; an empty sheet gives only the mark.
TEST_F(TextExportTest, CellsAndRowsAsWritten) {
  TExporterCSVComma comma;
  EXPECT_EQ(Export(comma), kBom);
  TExportRow& quoted = *Sheet().AddRow();
  quoted.AddCellNumber(1.5, 1);
  quoted.AddCellString(u"a\"b");
  TExportRow& spans = *Sheet().AddRow();
  spans.AddCellString(u"A")->SetColSpan(3);
  spans.AddCellString(u"B");
  Sheet().AddRow()->AddCellString(u"C")->SetColSpan(2);
  Sheet().FindCreateCell(2, 4, TCellClass::String, false)->SetValueText(u"x");
  Sheet().AddRow()->AddCellEmpty();
  Sheet().AddRow()->AddCellString(u"a\r\nb\nc\rd");
  EXPECT_EQ(Export(comma),
            kBom +
                "\"1.5\",\"a\"\"b\"\r\n\"A\",,,\"B\"\r\n\"C\"\r\n\r\n\"\",\"\",\"x\"\r\n"
                "\"\"\r\n\"a b c d\"\r\n");
  comma.ReplaceLineBreaks = false;
  EXPECT_NE(Export(comma).find("\r\n\"a\r\nb\nc\rd\"\r\n"), std::string::npos);
}

TEST_F(TextExportTest, CsvForExcelWritesTheCodePageWithoutAMark) {
  platform::FormatSettings().ListSeparator = u';';
  AddRow({u"\u010D\u0161\u017E", u"\u20AC", u"\u4E2D"});
  TExporterCSVExcel excel;
  EXPECT_EQ(Export(excel), "\"\xE8\x9A\x9E\";\"\x80\";\"?\"\r\n");
}

TEST_F(TextExportTest, TheSelectionFunctionPicksTheSheetWhateverItAnswers) {
  Book().AddWorkSheet(u"First");
  AddRow({u"one"});
  Book().AddWorkSheet(u"Second");
  AddRow({u"two"});
  int calls = 0;
  SetSelectWorkSheetFunc([&](TWorkbook& workbook) {
    ++calls;
    workbook.SetActiveWorkSheet(workbook.WorkSheets.GetItem(0));
    return false;
  });
  TExporterCSVComma comma;
  const std::string written = Export(comma);
  SetSelectWorkSheetFunc(nullptr);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(written, kBom + "\"one\"\r\n");
}

// Rows written by event: the existing ones are filled just before they are written, then more
// are asked for; each row's cells are freed once the next is asked for.
TEST_F(TextExportTest, RowsWrittenByEvent) {
  Book().WriteRowsByEvent = true;
  TExportWorkSheet& sheet = Sheet();
  sheet.AddRow();
  sheet.AddRow();
  std::vector<int> asked;
  sheet.OnGetRow = [&](TWorkbook&, TExportWorkSheet&, TExportRow& row) {
    asked.push_back(row.GetIndex());
    row.AddCellString(u"r" + std::u16string(1, u'0' + row.GetIndex()));
  };
  sheet.OnAddRow = [](TWorkbook&, TCustomExporter&, TExportWorkSheet& s, int index) {
    if (index < 4) s.AddRow()->AddCellString(u"r" + std::u16string(1, u'0' + index));
  };
  TExporterCSVComma comma;
  EXPECT_EQ(Export(comma), kBom + "\"r0\"\r\n\"r1\"\r\n\"r2\"\r\n\"r3\"\r\n");
  EXPECT_EQ(asked, (std::vector<int>{0, 1}));
  ASSERT_EQ(sheet.Rows.Count(), 4);
  for (int r = 0; r < 4; ++r) EXPECT_FALSE(sheet.Rows.RowHasCells(r)) << r;
  // Without the workbook's switch the events are not used.
  Book().WriteRowsByEvent = false;
  asked.clear();
  Export(comma);
  EXPECT_TRUE(asked.empty());
}

TEST_F(TextExportTest, ProgressStagesOfAnExport) {
  std::vector<int> stages;
  Book().OnProgress = [&](TWorkbook&, int stage, long long, long long) { stages.push_back(stage); };
  for (int i = 0; i < 12000; ++i) AddRow({u"x"});
  TExporterCSVComma comma;
  Export(comma);
  EXPECT_EQ(stages, (std::vector<int>{wpsStart, wpsWorkSheet, wpsRows, wpsRows, wpsWorkSheet,
                                      wpsSaving, wpsDone}));
}

// Every handler, on texts that exercise quoting: what it writes, Python's csv module reads.
struct THandlerCase {
  const char* name;
  std::function<std::unique_ptr<TExporterText>()> make;
  const char* pythonEncoding;
};

std::unique_ptr<TExporterText> MakeExcel() {
  platform::FormatSettings().ListSeparator = u';';
  return std::make_unique<TExporterCSVExcel>();
}

const THandlerCase kHandlers[] = {
    {"excel", MakeExcel, "cp1250"},
    {"semicolon", [] { return std::make_unique<TExporterCSVSemicolon>(); }, "utf-8-sig"},
    {"comma", [] { return std::make_unique<TExporterCSVComma>(); }, "utf-8-sig"},
    {"tsv", [] { return std::make_unique<TExporterTSV>(); }, "utf-8-sig"},
    {"ssv", [] { return std::make_unique<TExporterSSV>(); }, "utf-8-sig"},
};

const TSheetTexts kTricky = {
    {u"plain", u"with, comma", u"with; semicolon", u"tab\there"},
    {u"\"quoted\"", u"a \"\" b", u"", u"  padded  "},
    {},
    {u"\u010Desk\u00E1 \u0161\u0165astn\u00E1 \u017Eaba", u"line\r\nbreak", u"1.5", u"last"},
};

// Line breaks in cells are written as blanks.
TSheetTexts WithoutLineBreaks(TSheetTexts rows) {
  for (auto& row : rows)
    for (auto& text : row)
      if (text == u"line\r\nbreak") text = u"line break";
  return rows;
}

class HandlerPeer : public TextExportTest, public ::testing::WithParamInterface<THandlerCase> {};

TEST_P(HandlerPeer, PythonsCsvModuleReadsWhatItWrote) {
  if (!PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
  std::unique_ptr<TExporterText> exporter = GetParam().make();
  for (const auto& texts : kTricky) AddRow(texts);
  const std::string written = Export(*exporter);
  TScratchDir dir;
  WriteFileBytes(dir.File("out.csv"), std::vector<std::uint8_t>(written.begin(), written.end()));
  EXPECT_EQ(test_support::RunPeer("workbook/formats/text/peers/csv_rows.py",
                                  {dir.File("out.csv"), GetParam().pythonEncoding,
                                   platform::Utf16ToUtf8(std::u16string(1, exporter->Separator))}),
            HexLines(WithoutLineBreaks(kTricky)));
}

INSTANTIATE_TEST_SUITE_P(TExporterText, HandlerPeer, ::testing::ValuesIn(kHandlers),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace workbook
