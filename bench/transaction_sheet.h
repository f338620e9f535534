#pragma once
// The sheet the writer benchmarks share: rows of a transaction list (partner texts repeating
// over a few thousand names, numbers with two decimals, dates).
#include <string>

#include "workbook/formats/library_start.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/workbook.h"

namespace bench {

// The library as the program starts it (date and time format globals, handlers, hooks).
inline void StartLibrary() {
  workbook::WorkbookDateFormat = u"%sysdate%";
  workbook::WorkbookTimeFormat = u"%systime%";
  workbook::StartWorkbookLibrary();
}

inline void FillTransactionSheet(workbook::TExportWorkSheet& sheet, int rows, int cols) {
  using namespace workbook;
  for (int r = 0; r < rows; ++r) {
    TExportRow* row = sheet.AddRow();
    for (int c = 0; c < cols; ++c) {
      switch (c % 3) {
        case 0: {
          std::string text = "Partner " + std::to_string((r * cols + c) % 5000);
          row->AddCellString(std::u16string(text.begin(), text.end()));
          break;
        }
        case 1:
          row->AddCellNumber(r * 1.25 + c, 2);
          break;
        default:
          static_cast<TExportCellDateTime*>(row->AddCell(TCellClass::DateTime))
              ->SetValue(40000 + r % 3000);
      }
    }
  }
}

}  // namespace bench
