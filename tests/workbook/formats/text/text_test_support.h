#pragma once
// Shared pieces of the delimited-text tests: a fixture with the library started and the model's
// globals set, streams from and to byte strings, and a sheet's cells as texts.
#include <memory>
#include <string>
#include <vector>

#include "platform/text_codec.h"
#include "workbook/core/stream.h"
#include "workbook/formats/library_start.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/model_fixture.h"
#include "workbook/model/workbook.h"

namespace workbook {

using TSheetTexts = std::vector<std::vector<std::u16string>>;

inline TMemoryStream StreamOf(const std::string& bytes) {
  return TMemoryStream(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

// Every row's cells as value texts, untouched columns as empty texts.
inline TSheetTexts SheetTexts(TExportWorkSheet& sheet) {
  TSheetTexts rows;
  for (int r = 0; r < sheet.Rows.Count(); ++r) {
    rows.emplace_back();
    TExportRow* row = sheet.Rows.PeekItem(r);
    if (!row) continue;
    for (int c = 0; c < row->Cells.Count(); ++c) {
      TExportCell* cell = row->Cells.PeekItem(c);
      rows.back().push_back(cell ? cell->GetValueText() : std::u16string());
    }
  }
  return rows;
}

// Each cell as the hex of its UTF-8 bytes, cells joined by "|", one line per row: what the peer
// peers/csv_rows.py prints.
inline std::string HexLines(const TSheetTexts& rows) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (const auto& row : rows) {
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c > 0) out += '|';
      for (unsigned char b : platform::Utf16ToUtf8(row[c])) {
        out += digits[b >> 4];
        out += digits[b & 15];
      }
    }
    out += '\n';
  }
  return out;
}

class TextFormatsTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    StartWorkbookLibrary();
    book_ = std::make_unique<TWorkbook>();
  }
  void TearDown() override {
    book_.reset();
    ModelTest::TearDown();
  }

  TWorkbook& Book() { return *book_; }

  // Reads Bytes with Exporter into the fixture's workbook and returns its one sheet's texts.
  TSheetTexts Import(TCustomExporter& exporter, const std::string& bytes) {
    TMemoryStream stream = StreamOf(bytes);
    Book().LoadFromStream(stream, exporter);
    EXPECT_EQ(Book().WorkSheets.Count(), 1);
    return Book().WorkSheets.Count() ? SheetTexts(*Book().WorkSheets.GetItem(0)) : TSheetTexts();
  }

  std::string Export(TCustomExporter& exporter) {
    TMemoryStream stream;
    exporter.ExportToStream(stream, Book());
    return stream.AsString();
  }

  std::unique_ptr<TWorkbook> book_;
};

}  // namespace workbook
