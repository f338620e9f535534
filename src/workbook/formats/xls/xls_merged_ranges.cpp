// The MERGEDCELLS record (0x00E5) of a BIFF8 worksheet in both directions.
#include <algorithm>

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/xls/xls_merged_ranges.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_record_reader.h"
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/model/cell.h"
#include "workbook/model/merged_ranges.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

constexpr std::size_t kMaxRangesPerRecord = 1027;
constexpr int kXLSMaxRow = xls_record::kMaxRow;
constexpr int kXLSMaxCol = xls_record::kMaxColumn;

}  // namespace

void ReadXLSMergedCells(TExportWorkSheet& sheet, TXLSRecordReader& reader) {
  const int count = reader.ReadWord();
  // The record's size bounds the ranges: reads past it raise the damaged-file error.
  for (int i = 0; i < count; ++i) {
    const int row1 = reader.ReadWord();
    const int row2 = reader.ReadWord();
    const int col1 = reader.ReadWord();
    const int col2 = reader.ReadWord();
    // A BIFF8 sheet has no column beyond the last: such a range is a damaged record.
    if (col1 > kXLSMaxCol || col2 > kXLSMaxCol)
      throw EWorkbookFileException(WorkbookLng_InvalidXLS);
    ApplyMergedRange(sheet, col1, row1, col2, row2);
  }
}

TXLSMergedArea XLSMergedArea(const TExportCell& cell, int col, int row) {
  return {
      row,
      static_cast<int>(std::min<std::int64_t>(std::int64_t{row} + cell.RowSpan() - 1, kXLSMaxRow)),
      col,
      static_cast<int>(std::min<std::int64_t>(std::int64_t{col} + cell.ColSpan() - 1, kXLSMaxCol))};
}

std::vector<std::uint8_t> WriteXLSMergedCells(const std::vector<TXLSMergedArea>& areas) {
  std::vector<std::uint8_t> records;
  for (std::size_t first = 0; first < areas.size(); first += kMaxRangesPerRecord) {
    const std::size_t count = std::min(kMaxRangesPerRecord, areas.size() - first);
    XLSPutWord(records, xls_record::kMergedCells);
    XLSPutWord(records, static_cast<int>(2 + 8 * count));
    XLSPutWord(records, static_cast<int>(count));
    for (std::size_t i = first; i < first + count; ++i) {
      XLSPutWord(records, areas[i].Row1);
      XLSPutWord(records, areas[i].Row2);
      XLSPutWord(records, areas[i].Col1);
      XLSPutWord(records, areas[i].Col2);
    }
  }
  return records;
}

}  // namespace workbook
