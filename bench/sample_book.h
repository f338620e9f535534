#pragma once
// The benchmarks' sample sheet: Rows x Cols cells of a transaction list (a few thousand distinct
// partner texts unless asked for more, amounts, dates), built in order as an importing program
// would.
#include <chrono>
#include <cstdio>
#include <string>

#include "measure.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/workbook.h"

namespace bench {

inline constexpr int kSampleTexts = 5000;

// Row R of the sample sheet: Cols cells, every third a text; the texts take Texts distinct values
// in turn (all of them once there are as many text cells).
inline void FillSampleRow(workbook::TExportRow& row, int r, int cols, int texts = kSampleTexts) {
  const int textsBefore = r * ((cols + 2) / 3);
  using namespace workbook;
  for (int c = 0; c < cols; ++c) {
    switch (c % 3) {
      case 0: {
        std::string text = "Partner " + std::to_string((textsBefore + c / 3) % texts);
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

// The sample sheet built into Book (progress off), reporting the time and the peak memory.
inline void BuildSampleBook(workbook::TWorkbook& book, int rows, int cols) {
  const auto start = std::chrono::steady_clock::now();
  book.ShowProgress = false;
  BuildSampleSheet(book, rows, cols);
  std::printf("%d cells: model built in %.2f s (peak %.1f MB)\n", rows * cols, Seconds(start),
              PeakKilobytes() / 1024.0);
}

// Book written by Exporter into memory, reporting the time, the file's size and the peak memory.
inline void WriteToMemory(const char* name, workbook::TCustomExporter& exporter,
                          workbook::TWorkbook& book) {
  const auto start = std::chrono::steady_clock::now();
  workbook::TMemoryStream out;
  exporter.ExportToStream(out, book);
  std::printf("%-5s written in %.2f s, %.1f MB file, peak %.1f MB\n", name, Seconds(start),
              out.Size() / 1048576.0, PeakKilobytes() / 1024.0);
}

}  // namespace bench
