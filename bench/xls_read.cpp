// Reads an .xls file through the BIFF8 reader and reports how many cells it holds; with --texts
// also builds every cell's value text as the import does. Timed from outside (/usr/bin/time -v)
// against python3-xlrd on the same file (bench/xls_read_xlrd.py); input from make_xls_bench.py.
#include <cstdio>
#include <string_view>

#include "workbook/core/exceptions.h"
#include "workbook/formats/xls/xls_cell_text.h"
#include "workbook/formats/xls/xls_file_reader.h"

namespace {

class TCountingTarget : public workbook::TXLSSheetTarget {
 public:
  TCountingTarget(const workbook::TXLSGlobals& globals, bool texts)
      : globals_(globals), texts_(texts) {}
  void Cell(const workbook::TXLSCell& cell) override {
    ++cells_;
    if (texts_) characters_ += workbook::XLSCellValueText(cell, globals_).size();
  }
  long long Cells() const { return cells_; }
  long long Characters() const { return characters_; }

 private:
  const workbook::TXLSGlobals& globals_;
  bool texts_;
  long long cells_ = 0;
  long long characters_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const bool texts = argc == 3 && std::string_view(argv[1]) == "--texts";
  if (argc != 2 && !texts) {
    std::fprintf(stderr, "usage: bench_xls_read [--texts] FILE.xls\n");
    return 2;
  }
  try {
    workbook::TFileStream file(argv[argc - 1], workbook::TFileMode::OpenRead);
    workbook::TExportFontList fonts;
    workbook::TXLSFileReader reader(file, fonts);
    TCountingTarget target(reader.Globals(), texts);
    int sheets = 0;
    while (reader.ReadNextWorksheet(&target)) ++sheets;
    std::printf("sheets %d cells %lld text %lld\n", sheets, target.Cells(), target.Characters());
  } catch (const workbook::EWorkbookException& e) {
    std::fprintf(stderr, "%s: %s\n", e.ClassName(), e.what());
    return 1;
  }
  return 0;
}
