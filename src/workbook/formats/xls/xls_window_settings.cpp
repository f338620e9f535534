// The BIFF8 records of a sheet view: WINDOW2, SELECTION, SCL, PANE and SHEETLAYOUT.
#include <algorithm>
#include <utility>

#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_record_reader.h"
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/model/limits.h"
#include "workbook/model/window_settings.h"

namespace workbook {

namespace {

constexpr int kXLSLastRow = xls_record::kMaxRow;
constexpr int kXLSLastCol = xls_record::kMaxColumn;
// A selection reaching this row from row 0 is taken as whole columns (older files stop there).
constexpr int kWholeColumnsFrom = 16383;

// A count that does not fit the record's word is stored as the largest word.
int Word(int value) { return std::clamp(value, 0, 0xFFFF); }

// The first and last index of a range side on a BIFF8 sheet; an open side (whole rows or
// columns) runs to the sheet's last index.
std::pair<int, int> Side(int first, int count, int last) {
  const int from = std::clamp(first, 0, last);
  if (first < 0 || count < 1) return {from, last};
  return {from,
          static_cast<int>(std::min<long long>(static_cast<long long>(first) + count - 1, last))};
}

}  // namespace

std::vector<std::uint8_t> TExportWindowSplit::WriteXLS() const {
  std::vector<std::uint8_t> record;
  if (!IsSplit()) return record;
  XLSPutWord(record, xls_record::kPane);
  XLSPutWord(record, 10);
  XLSPutWord(record, Word(Col));
  XLSPutWord(record, Word(Row));
  XLSPutWord(record, Word(Row));  // top row of the lower pane
  XLSPutWord(record, Word(Col));  // left column of the right pane
  record.push_back(3);            // active pane: upper left
  record.push_back(0);
  return record;
}

void TExportWindowSplit::ReadXLS(TXLSRecordReader& reader) {
  const int col = reader.ReadWord();
  const int row = reader.ReadWord();
  // BIFF8 sheets have 256 columns.
  Col = std::min(col, 255);
  Row = std::min(row, kMaxSheetRows - 1);
}

std::vector<std::uint8_t> TExportWindowSettings::WriteXLSSheetLayout(
    std::uint16_t paletteIndex) const {
  std::vector<std::uint8_t> record;
  if (TabColor == clNone) return record;
  XLSPutWord(record, xls_record::kSheetLayout);
  XLSPutWord(record, 20);
  XLSPutWord(record, xls_record::kSheetLayout);  // the future-record header repeats the id
  record.insert(record.end(), 8, 0);
  XLSPutWord(record, 0);
  XLSPutDWord(record, 20);
  XLSPutWord(record, paletteIndex);
  XLSPutWord(record, 0);
  return record;
}

void TExportWindowSettings::ReadXLSSheetLayout(TXLSRecordReader& reader,
                                               const IColorPalette& palette) {
  reader.Skip(16);
  const TColor color = palette.GetColor(reader.ReadWord());
  if (color != clNone) TabColor = color;
}

std::vector<std::uint8_t> TExportWindowSettings::WriteXLSView(bool selected) const {
  std::vector<std::uint8_t> record;
  XLSPutWord(record, xls_record::kWindow2);
  XLSPutWord(record, 18);
  // Zeros shown, default header colour, outline symbols, sheet displayed.
  int flags = 0x04B0;
  if (ShowGridLines) flags |= 0x0002;
  if (ShowRowColHeaders) flags |= 0x0004;
  if (Split.IsSplit()) flags |= 0x0008;
  if (selected) flags |= 0x0200;
  XLSPutWord(record, flags);
  XLSPutWord(record, std::clamp(TopLeftCell.Row, 0, kXLSLastRow));
  XLSPutWord(record, std::clamp(TopLeftCell.Col, 0, kXLSLastCol));
  XLSPutDWord(record, 0);
  XLSPutWord(record, 60);
  XLSPutWord(record, 100);
  XLSPutDWord(record, 0);

  const auto [firstRow, lastRow] = Side(Selection.Row, Selection.RowCount, kXLSLastRow);
  const auto [firstCol, lastCol] = Side(Selection.Col, Selection.ColCount, kXLSLastCol);
  XLSPutWord(record, xls_record::kSelection);
  XLSPutWord(record, 15);
  record.push_back(3);
  XLSPutWord(record, firstRow);
  XLSPutWord(record, firstCol);
  XLSPutWord(record, 0);
  XLSPutWord(record, 1);
  XLSPutWord(record, firstRow);
  XLSPutWord(record, lastRow);
  record.push_back(static_cast<std::uint8_t>(firstCol));
  record.push_back(static_cast<std::uint8_t>(lastCol));

  XLSPutWord(record, xls_record::kScl);
  XLSPutWord(record, 4);
  XLSPutWord(record, Word(Zoom));
  XLSPutWord(record, 100);

  const std::vector<std::uint8_t> pane = Split.WriteXLS();
  record.insert(record.end(), pane.begin(), pane.end());
  return record;
}

void TExportWindowSettings::ReadXLSSelection(TXLSRecordReader& reader) {
  if (reader.Size() < 15) {
    reader.Skip(1);
    const int row = reader.ReadWord();
    const int col = reader.ReadWord();
    Selection.SetRange(col, row, 1, 1);
    return;
  }
  reader.Skip(9);
  const int firstRow = reader.ReadWord();
  const int lastRow = std::max<int>(reader.ReadWord(), firstRow);
  const int firstCol = reader.ReadByte();
  const int lastCol = std::max<int>(reader.ReadByte(), firstCol);
  if (firstRow == 0 && lastRow >= kWholeColumnsFrom)
    Selection.SetCols(firstCol, lastCol - firstCol + 1);
  else if (firstCol == 0 && lastCol == kXLSLastCol)
    Selection.SetRows(firstRow, lastRow - firstRow + 1);
  else
    Selection.SetRange(firstCol, firstRow, lastCol - firstCol + 1, lastRow - firstRow + 1);
}

}  // namespace workbook
