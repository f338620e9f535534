#pragma once
// The import's walk over a loaded workbook: the sheet of every section (the last one of the
// configured name wins), the rows from the section's offset to the sheet's last row (or the last
// but one), one record per accepted row, the lists, the sums and the counts.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/statement/data.h"
#include "app/statement/import_workbook.h"
#include "app/statement/section_import.h"

namespace app {

// What the window shows of one section whose sheet was found.
struct TSectionOutcome {
  bool HasRows = false;  // false: a sheet without rows; the counts show "-", nothing else changes
  int Loaded = 0;
  int Skipped = 0;
  int Errors = 0;
  std::int64_t Total = 0;  // rows in the configured range that the sheet holds
  std::vector<TColumnSum> Sums;
};

struct TImportOutcome {
  TImportLog Log;
  // Section order; empty for a section whose sheet was not found (its display stays as it was).
  std::array<std::optional<TSectionOutcome>, kSectionCount> Sections;
};

// 1 when the sheet's last row is read too, else 2.
int LastRowSetting(const tDataHeader& header);

// Fills data's record arrays, ErrorRows, SheetIndex and Totals from the loaded workbook. The record
// arrays must be empty.
TImportOutcome ImportSections(const IImportWorkbook& workbook, TData& data);

}  // namespace app
