// Column information, merges and frozen panes of the corpus's .xls files, read with the model's
// BIFF8 readers and checked against xlrd's view of the same files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/python_script.h"
#include "workbook/formats/sheet_record_support.h"
#include "workbook/formats/xls/xls_strings.h"
#include "workbook/formats/xls/xls_workbook_stream.h"
#include "workbook/model/merged_ranges.h"

namespace workbook {
namespace {

constexpr double kCharWidth = 7;

std::string RunCommand(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[65536];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

std::u16string FromHexUtf8(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return platform::Utf8ToUtf16(bytes);
}

// What the XLS reader does with a worksheet's column, merge and pane records.
void ReadSheet(TXLSRecordReader& reader, std::int64_t position, TExportWorkSheet& sheet) {
  reader.SetPosition(position);
  // Embedded charts bring BOF ... EOF substreams of their own.
  int depth = 0;
  while (reader.Next()) {
    if (reader.Id() == 0x0809) ++depth;
    if (reader.Id() == 0x000A && --depth <= 0) break;
    if (depth > 1) continue;
    if (reader.Id() == 0x007D) sheet.Cols.ReadXLS(reader, kCharWidth, nullptr);
    if (reader.Id() == 0x00E5) ReadXLSMergedCells(sheet, reader);
    if (reader.Id() == 0x0041) sheet.WindowSettings.Split.ReadXLS(reader);
  }
}

class SheetExtrasXlsCorpusTest : public ModelTest {};

TEST_F(SheetExtrasXlsCorpusTest, XlsFilesAgreeWithXlrd) {
  const std::filesystem::path corpus = std::filesystem::path(SHARED_DIR) / "corpus";
  if (!std::filesystem::exists(corpus)) GTEST_SKIP() << "the shared corpus is absent: " << corpus;
  if (!test::PythonHasModules("xlrd")) GTEST_SKIP() << "python3-xlrd is not installed";
  const std::string script =
      std::string(SOURCE_DIR) + "/tests/workbook/formats/peers/sheet_extras_xlrd.py";
  int checked = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
    if (entry.path().extension() != ".xls") continue;
    SCOPED_TRACE(entry.path().string());
    const std::string output =
        RunCommand("/usr/bin/python3 '" + script + "' '" + entry.path().string() + "' 2>/dev/null");
    if (output.empty() || output.rfind("ERROR", 0) == 0) continue;
    TMemoryStream file, stream;
    file.LoadFromFile(entry.path().string());
    try {
      XLSReadWorkbookStream(file, stream);
    } catch (const EWorkbookException&) {
      continue;  // a container xlrd reads but the storage layer refuses is not this test's
    }
    stream.SetPosition(0);
    TXLSRecordReader reader(stream);
    // The worksheets' substreams from their BOUNDSHEET records.
    TWorkbook book;
    std::vector<std::pair<TExportWorkSheet*, std::int64_t>> sheets;
    while (reader.Next() && reader.Id() != 0x000A) {
      if (reader.Id() != 0x0085) continue;
      const std::uint32_t position = reader.ReadDWord();
      reader.Skip(1);
      const std::uint8_t type = reader.ReadByte();
      const std::u16string name = XLSReadString(reader, TXLSLengthRecord::Byte);
      if (type != 0) continue;
      TExportWorkSheet* sheet = book.AddWorkSheet();
      sheet->Name = name;
      sheets.emplace_back(sheet, position);
    }
    bool readable = true;
    for (auto& [sheet, position] : sheets) {
      try {
        ReadSheet(reader, position, *sheet);
      } catch (const EWorkbookException&) {
        readable = false;
      }
    }
    if (!readable) continue;
    TExportWorkSheet* current = nullptr;
    std::stringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
      std::vector<std::string> f;
      std::stringstream fields(line);
      for (std::string field; std::getline(fields, field, '\t');) f.push_back(field);
      if (f[0] == "SHEET") {
        current = book.WorkSheets.FindWorkSheet(FromHexUtf8(f[1]));
        continue;
      }
      if (!current) continue;
      if (f[0] == "MERGE") {
        TExportCell* cell = nullptr;
        ASSERT_TRUE(current->FindCell(std::stoi(f[1]), std::stoi(f[2]), cell)) << line;
        EXPECT_EQ(cell->ColSpan(), std::stoi(f[3]) - std::stoi(f[1]) + 1) << line;
        EXPECT_EQ(cell->RowSpan(), std::stoi(f[4]) - std::stoi(f[2]) + 1) << line;
      } else if (f[0] == "COL") {
        const bool hidden = f[3] == "1";
        const int width = std::stoi(f[2]);
        const double pixels = hidden && width == 0 ? kCharWidth : width * kCharWidth / 256;
        if (TExportCol* col = current->Cols.FindCol(std::stoi(f[1]))) {
          EXPECT_NEAR(col->Width, pixels, 1e-9) << line;
          EXPECT_EQ(col->Hidden, hidden) << line;
          EXPECT_EQ(col->OutlineLevel(), std::stoi(f[4])) << line;
        } else {
          // xlrd spreads a record that reaches column 256 over the columns; the model keeps it
          // as the sheet's default.
          EXPECT_NEAR(current->Cols.DefaultWidth, pixels, 1e-9) << line;
        }
      } else if (f[0] == "PANE") {
        EXPECT_EQ(current->WindowSettings.Split.Col, std::stoi(f[1])) << line;
        EXPECT_EQ(current->WindowSettings.Split.Row, std::stoi(f[2])) << line;
      } else {
        continue;
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 0) << "no file of the corpus had columns, merges or panes";
}

}  // namespace
}  // namespace workbook
