// One style per cell for a million cells: how long copy-on-write plus consolidation takes and how
// much memory the styles hold once consolidated.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <vector>

#include "workbook/model/cell_style.h"
#include "workbook/model/workbook_registries.h"

namespace {

struct Workbook : workbook::TWorkbookRegistries {};

long ResidentKilobytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * 4;
}

}  // namespace

int main() {
  constexpr int kCells = 1000000;
  Workbook book;
  const long before = ResidentKilobytes();
  const auto start = std::chrono::steady_clock::now();
  std::vector<workbook::TExportCellStyle> styles;
  styles.reserve(kCells);
  const workbook::TExportCellStyle prototype(&book);
  for (int i = 0; i < kCells; ++i) {
    styles.push_back(prototype);
    workbook::TExportCellStyle& style = styles.back();
    if (i % 3 == 0) style.GetFontForWrite().SetSize(8 + i % 16);
    if (i % 5 == 0) style.GetBordersForWrite().GetBorder(i % 6).Style = 2 + i % 4;
    // Rows are consolidated as they are finished; do it per cell here.
    style.Consolidate();
  }
  const auto stop = std::chrono::steady_clock::now();
  std::printf("styles: %d, sizeof(TExportCellStyle): %zu bytes\n", kCells,
              sizeof(workbook::TExportCellStyle));
  std::printf("fonts: %d, border sets: %d\n", book.FontList.Count(), book.BordersList.Count());
  std::printf("time: %.1f ms, resident growth: %ld KB\n",
              std::chrono::duration<double, std::milli>(stop - start).count(),
              ResidentKilobytes() - before);
  return 0;
}
