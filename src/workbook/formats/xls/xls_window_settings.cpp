// The BIFF8 PANE (0x0041) and SHEETLAYOUT (0x0862) records of a sheet view.
#include <algorithm>

#include "workbook/formats/xls/xls_record_reader.h"
#include "workbook/model/limits.h"
#include "workbook/model/window_settings.h"

namespace workbook {

namespace {

constexpr std::uint16_t kPaneRecordId = 0x0041;
constexpr std::uint16_t kSheetLayoutRecordId = 0x0862;

void PutWord(std::vector<std::uint8_t>& data, int value) {
  data.push_back(static_cast<std::uint8_t>(value & 0xFF));
  data.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutDWord(std::vector<std::uint8_t>& data, std::uint32_t value) {
  PutWord(data, static_cast<int>(value & 0xFFFF));
  PutWord(data, static_cast<int>(value >> 16));
}

// A count that does not fit the record's word is stored as the largest word.
int Word(int value) { return std::clamp(value, 0, 0xFFFF); }

}  // namespace

std::vector<std::uint8_t> TExportWindowSplit::WriteXLS() const {
  std::vector<std::uint8_t> record;
  if (!IsSplit()) return record;
  PutWord(record, kPaneRecordId);
  PutWord(record, 10);
  PutWord(record, Word(Col));
  PutWord(record, Word(Row));
  PutWord(record, Word(Row));  // top row of the lower pane
  PutWord(record, Word(Col));  // left column of the right pane
  record.push_back(3);         // active pane: upper left
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
  PutWord(record, kSheetLayoutRecordId);
  PutWord(record, 20);
  PutWord(record, kSheetLayoutRecordId);  // the future-record header repeats the id
  record.insert(record.end(), 8, 0);
  PutWord(record, 0);
  PutDWord(record, 20);
  PutWord(record, paletteIndex);
  PutWord(record, 0);
  return record;
}

void TExportWindowSettings::ReadXLSSheetLayout(TXLSRecordReader& reader,
                                               const IColorPalette& palette) {
  reader.Skip(16);
  const TColor color = palette.GetColor(reader.ReadWord());
  if (color != clNone) TabColor = color;
}

}  // namespace workbook
