// BIFF8 CONDFMT and CF records of cell-value rules.
#include <algorithm>
#include <array>

#include "workbook/core/exceptions.h"
#include "workbook/core/stream.h"
#include "workbook/formats/xls/xls_conditional_formatting.h"
#include "workbook/formats/xls/xls_formula_tokens.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_record_reader.h"
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/formats/xlsx/xlsx_palette.h"
#include "workbook/model/cell.h"
#include "workbook/model/conditional_formatting.h"

namespace workbook {

namespace {

constexpr int kXLSMaxRows = xls_record::kRowCount;
constexpr int kXLSMaxCols = xls_record::kColumnCount;
// The largest record data BIFF8 allows.
constexpr std::int64_t kMaxRecordData = 8224;

constexpr std::array<std::uint8_t, kCondFormatOperatorCount> kComparison = {3, 4, 5, 6, 7, 8, 1, 2};

constexpr std::uint32_t kFlagsBase = 0x00380000;
constexpr std::uint32_t kFontBlock = 0x04000000;
constexpr std::uint32_t kAlignBlock = 0x08000000;
constexpr std::uint32_t kBorderBlock = 0x10000000;
constexpr std::uint32_t kFillBlock = 0x20000000;
constexpr std::uint32_t kProtectBlock = 0x40000000;

void PutZeros(TStream& s, int count) {
  for (int i = 0; i < count; ++i) XLSWriteByte(s, 0);
}

std::uint8_t UnderlineCode(std::uint8_t underline) {
  switch (underline) {
    case 1:
      return 1;
    case 2:
      return 2;
    case 3:
      return 0x21;
    case 4:
      return 0x22;
    default:
      return 0;
  }
}

std::uint8_t UnderlineFromCode(std::uint8_t code) {
  switch (code) {
    case 1:
      return 1;
    case 2:
      return 2;
    case 0x21:
      return 3;
    case 0x22:
      return 4;
    default:
      return 5;
  }
}

}  // namespace

bool TExportConditionalFormattingRule::WriteXLS(TStream& stream, TExporterXLSX_Palette& palette,
                                                IXLSFormulaTokens& tokens, int baseCol,
                                                int baseRow) const {
  const bool font = FontColor != clNone || !FontStyle.IsEmpty();
  const bool fill = FillColor != clNone;
  const std::uint8_t op =
      Operator < kCondFormatOperatorCount ? Operator : static_cast<std::uint8_t>(cfoEqual);
  const std::vector<std::uint8_t> tokens1 = tokens.Encode(Formula1, baseCol, baseRow);
  const std::vector<std::uint8_t> tokens2 =
      IsRangeOperator(op) ? tokens.Encode(Formula2, baseCol, baseRow) : std::vector<std::uint8_t>();
  // Readers take a missing formula as 0: the rule would highlight other cells.
  if (tokens1.empty() || (IsRangeOperator(op) && tokens2.empty())) return false;
  const std::int64_t size = 12 + (font ? 118 : 0) + (fill ? 4 : 0) +
                            static_cast<std::int64_t>(tokens1.size() + tokens2.size());
  // A rule too long for one record would leave a corrupt stream behind.
  if (size > kMaxRecordData)
    throw EWorkbookException(u"The formulas of a conditional format are too long.");

  XLSWriteRecordHeader(stream, xls_record::kCF, static_cast<std::uint16_t>(size));
  XLSWriteByte(stream, 1);
  XLSWriteByte(stream, kComparison[op]);
  XLSWriteWord(stream, static_cast<std::uint16_t>(tokens1.size()));
  XLSWriteWord(stream, static_cast<std::uint16_t>(tokens2.size()));
  XLSWriteDWord(stream, (font ? kFlagsBase | kFontBlock : kFlagsBase) | (fill ? kFillBlock : 0));
  XLSWriteWord(stream, 0);
  if (font) {
    const TExportFontStyle& fs = FontStyle;
    PutZeros(stream, 64);
    XLSWriteDWord(stream, 0xFFFFFFFF);
    XLSWriteDWord(stream, (fs.Italic == 1 ? 2u : 0u) | (fs.StrikeOut == 1 ? 0x80u : 0u));
    XLSWriteWord(stream, fs.Bold == 1 ? 700 : 400);
    XLSWriteWord(stream, fs.VertPosition == 1 ? 1 : fs.VertPosition == 2 ? 2 : 0);
    XLSWriteByte(stream, UnderlineCode(fs.Underline));
    PutZeros(stream, 3);
    XLSWriteDWord(stream, FontColor != clNone ? palette.GetColorIndex(FontColor) : 0xFFFFFFFFu);
    XLSWriteDWord(stream, 0);
    XLSWriteDWord(stream, (fs.Italic == 0 ? 2u : 0u) | (fs.StrikeOut == 0 ? 0x80u : 0u));
    XLSWriteDWord(stream, fs.VertPosition == 0 ? 1 : 0);
    XLSWriteDWord(stream, fs.Underline == 0 ? 1 : 0);
    XLSWriteDWord(stream, fs.Bold == 0 ? 1 : 0);
    XLSWriteDWord(stream, 1);
    XLSWriteDWord(stream, 0);
    XLSWriteDWord(stream, 0);
    XLSWriteWord(stream, 1);
  }
  if (fill) {
    XLSWriteWord(stream, 0x0400);
    XLSWriteWord(stream,
                 static_cast<std::uint16_t>((palette.GetColorIndex(FillColor) & 0x7F) << 7));
  }
  stream.WriteBuffer(tokens1.data(), tokens1.size());
  if (!tokens2.empty()) stream.WriteBuffer(tokens2.data(), tokens2.size());
  return true;
}

bool TExportConditionalFormattingRule::ReadXLS(TXLSRecordReader& reader,
                                               const TExporterXLSX_Palette& palette,
                                               IXLSFormulaTokens& tokens, int baseCol,
                                               int baseRow) {
  reader.ReadByte();  // condition type: the comparison code tells a formula condition apart
  const std::uint8_t code = reader.ReadByte();
  const auto found = std::find(kComparison.begin(), kComparison.end(), code);
  if (found == kComparison.end()) return false;
  Operator = static_cast<std::uint8_t>(found - kComparison.begin());
  const std::uint16_t count1 = reader.ReadWord();
  const std::uint16_t count2 = reader.ReadWord();
  const std::uint32_t flags = reader.ReadDWord();
  reader.Skip(2);
  if (flags & kFontBlock) {
    reader.Skip(68);
    const std::uint32_t style = reader.ReadDWord();
    const std::uint16_t weight = reader.ReadWord();
    const std::uint16_t escapement = reader.ReadWord();
    const std::uint8_t underline = reader.ReadByte();
    reader.Skip(3);
    const std::uint32_t colorIndex = reader.ReadDWord();
    reader.Skip(4);
    const std::uint32_t noChange = reader.ReadDWord();
    const std::uint32_t noPosition = reader.ReadDWord();
    const std::uint32_t noUnderline = reader.ReadDWord();
    const std::uint32_t noBold = reader.ReadDWord();
    reader.Skip(14);
    if (colorIndex < static_cast<std::uint32_t>(palette.GetCount()))
      FontColor = palette.GetColor(static_cast<int>(colorIndex));
    FontStyle.Italic = (noChange & 2) ? 0 : (style & 2) ? 1 : 2;
    FontStyle.StrikeOut = (noChange & 0x80) ? 0 : (style & 0x80) ? 1 : 2;
    FontStyle.Bold = noBold ? 0 : weight >= 700 ? 1 : 2;
    FontStyle.VertPosition = noPosition ? 0 : escapement == 1 ? 1 : escapement == 2 ? 2 : 3;
    FontStyle.Underline = noUnderline ? 0 : UnderlineFromCode(underline);
  }
  if (flags & kAlignBlock) reader.Skip(8);
  if (flags & kBorderBlock) reader.Skip(8);
  if (flags & kFillBlock) {
    reader.Skip(2);
    FillColor = palette.GetColor((reader.ReadWord() >> 7) & 0x7F);
  }
  if (flags & kProtectBlock) reader.Skip(2);
  std::vector<std::uint8_t> bytes;
  if (count1 > 0) {
    bytes.resize(count1);  // bounded by the record: the reader refuses to read past it
    reader.ReadBytes(bytes.data(), bytes.size());
    Formula1 = tokens.Decode(bytes, baseCol, baseRow);
  }
  if (count2 > 0) {
    bytes.resize(count2);
    reader.ReadBytes(bytes.data(), bytes.size());
    Formula2 = tokens.Decode(bytes, baseCol, baseRow);
  }
  return !Formula1.empty();
}

void TExportConditionalFormatting::WriteXLS(TStream& stream, TExporterXLSX_Palette& palette,
                                            IXLSFormulaTokens& tokens) const {
  const TExportCell* cell = GetCell();
  if (!cell || Count() == 0) return;
  const int col = cell->GetColIndex(), row = cell->GetRowIndex();
  // A cell beyond the format's sheet is not written, nor are its rules.
  if (col < 0 || row < 0 || col >= kXLSMaxCols || row >= kXLSMaxRows) return;
  const std::uint16_t firstRow = static_cast<std::uint16_t>(row);
  const std::uint16_t lastRow =
      static_cast<std::uint16_t>(std::min(row + cell->RowSpan() - 1, kXLSMaxRows - 1));
  const std::uint16_t firstCol = static_cast<std::uint16_t>(col);
  const std::uint16_t lastCol =
      static_cast<std::uint16_t>(std::min(col + cell->ColSpan() - 1, kXLSMaxCols - 1));
  // The CONDFMT counts the rules written, known once they are.
  TMemoryStream rules;
  int written = 0;
  for (int i = Count() - 1; i >= 0; --i)
    if (GetRule(i)->WriteXLS(rules, palette, tokens, col, row)) ++written;
  if (written == 0) return;
  XLSWriteRecordHeader(stream, xls_record::kCondFmt, 22);
  XLSWriteWord(stream, static_cast<std::uint16_t>(written));
  XLSWriteWord(stream, 1);
  for (int pass = 0; pass < 2; ++pass) {
    XLSWriteWord(stream, firstRow);
    XLSWriteWord(stream, lastRow);
    XLSWriteWord(stream, firstCol);
    XLSWriteWord(stream, lastCol);
    if (pass == 0) XLSWriteWord(stream, 1);
  }
  stream.WriteBuffer(rules.Data().data(), rules.Data().size());
}

std::vector<TCellRangeRef> ReadXLSCondFmtRanges(TXLSRecordReader& reader) {
  std::vector<TCellRangeRef> ranges;
  reader.Skip(4);  // rule count and flags: the CF records that follow are counted as they come
  reader.Skip(8);  // bounding range
  const std::uint16_t count = reader.ReadWord();
  // Each range takes 8 bytes: a count the record cannot hold is cut to what it holds.
  const std::uint32_t present = std::min<std::uint32_t>(count, reader.Left() / 8);
  for (std::uint32_t i = 0; i < present; ++i) {
    TCellRangeRef range;
    range.Row1 = reader.ReadWord();
    range.Row2 = reader.ReadWord();
    range.Col1 = reader.ReadWord();
    range.Col2 = reader.ReadWord();
    if (range.Row1 > range.Row2) std::swap(range.Row1, range.Row2);
    if (range.Col1 > range.Col2) std::swap(range.Col1, range.Col2);
    // Within the sheet: a range reaching beyond it is cut at its edge.
    if (range.Row1 >= kXLSMaxRows || range.Col1 >= kXLSMaxCols) continue;
    range.Row2 = std::min(range.Row2, kXLSMaxRows - 1);
    range.Col2 = std::min(range.Col2, kXLSMaxCols - 1);
    ranges.push_back(range);
  }
  return ranges;
}

}  // namespace workbook
