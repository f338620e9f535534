#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <vector>

#include "workbook/core/exceptions.h"
#include "workbook/formats/exporter_registry.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/model_fixture.h"

namespace workbook {
namespace {

using WorkbookTest = ModelTest;

// A handler that fills the workbook from a tiny text form: one line per row, cells separated
// by "|", numbers prefixed by "#".
class TFakeExporter : public TCustomExporter {
 public:
  TFakeExporter() {
    Description = u"fake";
    Extensions = {u"fakewb"};
  }
  void ImportFromStream(TStream& stream, TWorkbook& book) override {
    TCustomExporter::ImportFromStream(stream, book);
    ++imports;
    book.DoProgress(wpsStart, 0, 1, u"Import");
    std::string text(static_cast<std::size_t>(stream.Size()), '\0');
    stream.ReadBuffer(text.data(), text.size());
    if (text == "broken") throw EWorkbookFileException(u"broken");
    TExportWorkSheet* sheet = book.AddWorkSheet(u"Sheet");
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      TExportRow* row = sheet->AddRow();
      std::string line = text.substr(start, end - start);
      std::size_t cellStart = 0;
      while (cellStart <= line.size()) {
        std::size_t bar = line.find('|', cellStart);
        if (bar == std::string::npos) bar = line.size();
        std::string item = line.substr(cellStart, bar - cellStart);
        if (!item.empty() && item[0] == '#')
          static_cast<TExportCellNumber*>(row->AddCell(TCellClass::Number))
              ->ReadValue(std::stod(item.substr(1)));
        else
          row->AddCellString(std::u16string(item.begin(), item.end()));
        cellStart = bar + 1;
      }
      book.DoAfterRowRead(*sheet, *row);
      start = end + 1;
    }
  }
  int imports = 0;
};

TFakeExporter& Fake() {
  static TFakeExporter* fake = [] {
    CreateExporterRegistry();
    FindExporterForFileHook = FindExporterForFile;
    auto owned = std::make_unique<TFakeExporter>();
    TFakeExporter* raw = owned.get();
    RegisterExporter(std::move(owned), -1);
    return raw;
  }();
  return *fake;
}

class LoadTest : public WorkbookTest {
 protected:
  std::string Write(const std::string& name, const std::string& content) {
    std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  static std::u16string U16(const std::string& s) { return std::u16string(s.begin(), s.end()); }
};

TEST_F(LoadTest, LoadFromFilePicksTheHandlerAndReplacesTheSheets) {
  Fake();
  TWorkbook book;
  book.AddWorkSheet(u"Old");
  std::string path = Write("load_test.FAKEWB", "a|#1234.5\nb|#0.1");
  book.LoadFromFile(U16(path));
  ASSERT_EQ(book.WorkSheets.Count(), 1);
  TExportWorkSheet* sheet = book.WorkSheets[0];
  EXPECT_EQ(sheet->Name, u"Sheet");
  ASSERT_EQ(sheet->Rows.Count(), 2);
  EXPECT_EQ(sheet->Rows.GetRow(0)->Cells[0]->GetValueText(), u"a");
  EXPECT_EQ(sheet->Rows.GetRow(0)->Cells[1]->GetValueText(), u"1234.5");
  EXPECT_EQ(sheet->Rows.GetRow(1)->Cells[1]->GetValueText(), u"0.1");
}

TEST_F(LoadTest, UnclaimedExtensionNamesTheFile) {
  TWorkbook book;
  book.AddWorkSheet(u"Kept");
  try {
    book.LoadFromFile(u"C:\\data\\vykaz.xyz");
    FAIL();
  } catch (const EWorkbookFileNameException& e) {
    EXPECT_EQ(e.Message(),
              u"The file \"C:\\data\\vykaz.xyz\" could not be processed.\r\n\r\nThe file "
              u"extension is not assigned to any exporter.");
  }
  EXPECT_EQ(book.WorkSheets.Count(), 1);
}

TEST_F(LoadTest, ProgressDialogLivesOnlyDuringALoadWithoutHandler) {
  Fake();
  std::vector<std::u16string> log;
  int created = 0;
  SetProgressDlgWrapperClass([&]() {
    ++created;
    return std::make_unique<test::TRecordingDialog>(log);
  });
  TWorkbook book;
  std::string path = Write("progress.fakewb", "x");
  book.LoadFromFile(U16(path));
  EXPECT_EQ(created, 1);
  EXPECT_EQ(book.ProgressDlg, nullptr);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log[0], u"caption Import");

  int reported = 0;
  book.OnProgress = [&](TWorkbook&, int, long long, long long) { ++reported; };
  book.LoadFromFile(U16(path));
  EXPECT_EQ(created, 1);
  EXPECT_EQ(reported, 1);

  book.OnProgress = nullptr;
  std::string broken = Write("broken.fakewb", "broken");
  EXPECT_THROW(book.LoadFromFile(U16(broken)), EWorkbookFileException);
  EXPECT_EQ(created, 2);
  EXPECT_EQ(book.ProgressDlg, nullptr);
  SetProgressDlgWrapperClass(nullptr);
}

TEST_F(LoadTest, RowEventsKeepOnlyTheCurrentRowsCells) {
  Fake();
  TWorkbook book;
  book.ReadRowsByEvent = true;
  std::vector<std::u16string> seen;
  book.OnRowRead = [&](TWorkbook&, TExportWorkSheet& sheet, TExportRow& row) {
    seen.push_back(row.Cells[0]->GetValueText());
    for (int i = 0; i < row.GetIndex(); ++i) EXPECT_EQ(sheet.Rows[i]->Cells.Count(), 0);
  };
  book.LoadFromFile(U16(Write("events.fakewb", "a\nb\nc")));
  EXPECT_EQ(seen, (std::vector<std::u16string>{u"a", u"b", u"c"}));
}

}  // namespace
}  // namespace workbook
