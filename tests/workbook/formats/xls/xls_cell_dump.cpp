#include "xls_cell_dump.h"

#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/xls/xls_exporter.h"
#include "workbook/model/cell.h"
#include "workbook/model/row.h"
#include "workbook/model/workbook.h"
#include "workbook/model/worksheet.h"
#include "xls_test_support.h"

namespace xls_test {

namespace {

std::string Unescape(const std::string& text) {
  std::string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      result += text[i];
      continue;
    }
    const char c = text[++i];
    result += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
  }
  return result;
}

}  // namespace

CellDump DumpWithReader(const std::string& path) {
  workbook::TMemoryStream file;
  file.LoadFromFile(path);
  return DumpWithReader(file);
}

CellDump DumpWithReader(workbook::TStream& source) {
  CellDump dump;
  const std::u16string savedDate = workbook::WorkbookDateFormat;
  const std::u16string savedTime = workbook::WorkbookTimeFormat;
  workbook::WorkbookDateFormat = u"%sysdate%";
  workbook::WorkbookTimeFormat = u"%systime%";
  try {
    workbook::TWorkbook book;
    book.ShowProgress = false;
    workbook::TExporterXLS exporter;
    book.LoadFromStream(source, exporter);
    for (int s = 0; s < book.WorkSheets.Count(); ++s) {
      workbook::TExportWorkSheet* sheet = book.WorkSheets.GetItem(s);
      dump.sheets.push_back(platform::Utf16ToUtf8(sheet->Name));
      for (int r = 0; r < sheet->Rows.Count(); ++r) {
        workbook::TExportRow* row = sheet->Rows.PeekItem(r);
        if (row == nullptr) continue;
        for (int c = 0; c < row->Cells.Count(); ++c) {
          workbook::TExportCell* cell = row->Cells.PeekItem(c);
          if (cell == nullptr) continue;
          const std::u16string text = cell->GetValueText();
          if (!text.empty()) dump.cells[{s, r, c}] = platform::Utf16ToUtf8(text);
        }
      }
    }
  } catch (const workbook::ELibraryException& e) {
    dump.failure = std::string(e.ClassName()) + ": " + e.what();
  }
  workbook::WorkbookDateFormat = savedDate;
  workbook::WorkbookTimeFormat = savedTime;
  return dump;
}

std::map<std::string, CellDump> DumpWithXlrd(const std::vector<std::string>& paths) {
  std::map<std::string, CellDump> dumps;
  CellDump* current = nullptr;
  for (const std::string& line : SplitLines(RunPeer(kPeers + "cells_xlrd.py", paths))) {
    const std::vector<std::string> f = SplitTabs(line);
    if (f[0] == "F" && f.size() == 2) {
      current = &dumps[f[1]];
    } else if (current == nullptr) {
      continue;
    } else if (f[0] == "X" && f.size() == 2) {
      current->failure = Unescape(f[1]);
    } else if (f[0] == "V" && f.size() == 2) {
      current->biffVersion = std::stoi(f[1]);
    } else if (f[0] == "S" && f.size() == 3) {
      current->sheets.push_back(Unescape(f[2]));
    } else if (f[0] == "C" && f.size() == 5) {
      current->cells[{std::stoi(f[1]), std::stoi(f[2]), std::stoi(f[3])}] = Unescape(f[4]);
    }
  }
  return dumps;
}

}  // namespace xls_test
