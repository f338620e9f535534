#pragma once
// The benchmarks' sample sheet: Rows x Cols cells of a transaction list (a few thousand distinct
// partner texts, amounts, dates), built in order as an importing program would.
#include <string>

#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/workbook.h"

namespace bench {

// Row R of the sample sheet: Cols cells.
inline void FillSampleRow(workbook::TExportRow& row, int r, int cols) {
  using namespace workbook;
  for (int c = 0; c < cols; ++c) {
    switch (c % 3) {
      case 0: {
        std::string text = "Partner " + std::to_string((r * cols + c) % 5000);
        row.AddCellString(std::u16string(text.begin(), text.end()));
        break;
      }
      case 1:
        row.AddCellNumber(r * 1.25 + c, 2);
        break;
      default:
        static_cast<TExportCellDateTime*>(row.AddCell(TCellClass::DateTime))
            ->SetValue(40000 + r % 3000);
    }
  }
}

inline void BuildSampleSheet(workbook::TWorkbook& book, int rows, int cols) {
  workbook::TExportWorkSheet* sheet = book.AddWorkSheet(u"Data");
  for (int r = 0; r < rows; ++r) FillSampleRow(*sheet->AddRow(), r, cols);
}

}  // namespace bench
