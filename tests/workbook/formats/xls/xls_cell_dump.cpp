#include "xls_cell_dump.h"

#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/xls/xls_cell_text.h"
#include "workbook/formats/xls/xls_file_reader.h"
#include "xls_test_support.h"

namespace xls_test {

namespace {

class TDumpTarget : public workbook::TXLSSheetTarget {
 public:
  TDumpTarget(const workbook::TXLSGlobals& globals, CellDump& dump, int sheet)
      : globals_(globals), dump_(dump), sheet_(sheet) {}
  void Cell(const workbook::TXLSCell& cell) override {
    const std::u16string text = workbook::XLSCellValueText(cell, globals_);
    const auto key = std::make_tuple(sheet_, int{cell.Row}, int{cell.Column});
    if (text.empty())
      dump_.cells.erase(key);
    else
      dump_.cells[key] = platform::Utf16ToUtf8(text);
  }

 private:
  const workbook::TXLSGlobals& globals_;
  CellDump& dump_;
  int sheet_;
};

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
  try {
    workbook::TFileStream file(path, workbook::TFileMode::OpenRead);
    return DumpWithReader(file);
  } catch (const workbook::EWorkbookException& e) {
    CellDump dump;
    dump.failure = std::string(e.ClassName()) + ": " + e.what();
    return dump;
  }
}

CellDump DumpWithReader(workbook::TStream& source) {
  CellDump dump;
  try {
    workbook::TExportFontList fonts;
    workbook::TXLSFileReader reader(source, fonts);
    for (const std::u16string& name : reader.Globals().WorksheetNames()) {
      dump.sheets.push_back(platform::Utf16ToUtf8(name));
    }
    for (std::size_t i = 0; i < dump.sheets.size(); ++i) {
      TDumpTarget target(reader.Globals(), dump, static_cast<int>(i));
      if (!reader.ReadNextWorksheet(&target)) break;
    }
  } catch (const workbook::EWorkbookException& e) {
    dump.failure = std::string(e.ClassName()) + ": " + e.what();
  }
  return dump;
}

std::map<std::string, CellDump> DumpWithXlrd(const std::vector<std::string>& paths) {
  std::map<std::string, CellDump> dumps;
  CellDump* current = nullptr;
  for (const std::string& line : SplitLines(RunPeer("cells_xlrd.py", paths))) {
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
