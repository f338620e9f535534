#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "workbook/core/exceptions.h"
#include "workbook/formats/exporter_registry.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/model_fixture.h"

namespace workbook {
namespace {

// A handler that reads a text file, one string cell per line.
class TFakeExporter : public TCustomExporter {
 public:
  TFakeExporter() {
    Description = u"fake";
    Extensions = {u"fakewb"};
  }
  void ImportFromStream(TStream& stream, TWorkbook& book) override {
    TCustomExporter::ImportFromStream(stream, book);
    book.DoProgress(wpsStart, 0, 1, u"Import");
    std::string text(static_cast<std::size_t>(stream.Size()), '\0');
    stream.ReadBuffer(text.data(), text.size());
    TExportWorkSheet* sheet = book.AddWorkSheet(u"Sheet");
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      TExportRow* row = sheet->AddRow();
      row->AddCellString(std::u16string(line.begin(), line.end()));
      book.DoAfterRowRead(*sheet, *row);
    }
  }
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

class LoadTest : public ModelTest {
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
  book.LoadFromFile(U16(Write("load_test.FAKEWB", "a\nb")));
  ASSERT_EQ(book.WorkSheets.Count(), 1);
  TExportWorkSheet* sheet = book.WorkSheets[0];
  EXPECT_EQ(sheet->Name, u"Sheet");
  ASSERT_EQ(sheet->Rows.Count(), 2);
  EXPECT_EQ(sheet->Rows.GetRow(1)->Cells[0]->GetValueText(), u"b");
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
