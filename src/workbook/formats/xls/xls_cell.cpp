// BIFF8 records of the cell classes and of rows.
#include <cmath>

#include "workbook/formats/cell_write_context.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_class_visit.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_empty.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/formula/rpn_formula.h"
#include "workbook/model/packed_text.h"
#include "workbook/model/rich_text.h"
#include "workbook/model/row.h"

namespace workbook {

void TExportCell::WriteXLS(TStream& stream, int xfIndex, ICellWriteContext& context) {
  VisitCellClass(CellClass(), [&]<class C>(std::type_identity<C>) {
    static_cast<C&>(*this).WriteXLS(stream, xfIndex, context);
  });
}

void TExportCell::WriteXLSCellHeader(TStream& stream, std::uint16_t recordId, int xfIndex,
                                     std::uint16_t length) const {
  XLSWriteCellHeader(stream, recordId, length, GetRowIndex(), GetColIndex(), xfIndex);
}

void TExportCell::WriteXLSBlank(TStream& stream, int xfIndex) const {
  WriteXLSCellHeader(stream, xls_record::kBlank, xfIndex, 6);
}

void TExportCellEmpty::WriteXLS(TStream& stream, int xfIndex, ICellWriteContext&) {
  WriteXLSBlank(stream, xfIndex);
}

void TExportCellString::WriteXLS(TStream& stream, int xfIndex, ICellWriteContext& context) {
  // A formula the format's tokens cannot hold leaves the text it gave.
  if (const TRPNFormula* formula = HasFormula() ? GetRPNFormula() : nullptr;
      formula != nullptr && formula->CanWriteXLS())
    return formula->WriteXLSText(stream, GetRowIndex(), GetColIndex(), xfIndex,
                                 context.CellText(value_));
  if (value_.empty()) return WriteXLSBlank(stream, xfIndex);
  if (SharedString() || HasRichText()) {
    WriteXLSCellHeader(stream, xls_record::kLabelSST, xfIndex, 10);
    XLSWriteDWord(stream, context.SharedStringIndex(*this));
    return;
  }
  WriteXLSCellHeader(stream, xls_record::kLabel, xfIndex,
                     static_cast<std::uint16_t>(9 + 2 * value_.size()));
  XLSWriteString(stream, context.CellText(value_), TXLSWriteLength::Word);
}

void TExportCellString::ReadXLSText(std::u16string_view text,
                                    std::span<const std::uint8_t> runBuffer) {
  // Where each character of the file's text lands once lone CR and LF became CR LF.
  std::vector<std::int32_t> moved;
  SetValueEx(WithCRLFBreaks(text, &moved), true);
  if (runBuffer.size() < 4) return;
  TStringRichTextTags& tags = GetRichTextTags();
  tags.ReadXLSRuns(runBuffer);
  for (std::int32_t i = 0; i < tags.Count(); ++i) {
    std::int32_t& position = tags.GetTag(i)->Position;
    if (position - 1 < static_cast<std::int32_t>(moved.size())) position = moved[position - 1] + 1;
  }
}

bool TExportCellCustomNumber::WriteXLSFormula(TStream& stream, int xfIndex) {
  const TRPNFormula* formula = GetRPNFormula();
  if (!formula || !formula->CanWriteXLS()) return false;
  if (std::uint8_t code; GetErrorValue(code)) {
    formula->WriteXLSError(stream, GetRowIndex(), GetColIndex(), xfIndex, code);
  } else if (CellClass() == TCellClass::Boolean) {
    // A truth value has a result form of its own: readers take a number for a number.
    formula->WriteXLSBoolean(stream, GetRowIndex(), GetColIndex(), xfIndex, HasValue && Value != 0);
  } else {
    formula->WriteXLS(stream, GetRowIndex(), GetColIndex(), xfIndex,
                      TRPNValue{HasValue ? FileValue() : 0.0, TRPNError::None});
  }
  return true;
}

bool TExportCellCustomNumber::WriteXLSError(TStream& stream, int xfIndex) {
  std::uint8_t code;
  if (!GetErrorValue(code)) return false;
  WriteXLSCellHeader(stream, xls_record::kBoolErr, xfIndex, 8);
  const std::uint8_t bytes[2] = {code, 1};
  stream.WriteBuffer(bytes, 2);
  return true;
}

void TExportCellCustomNumber::WriteXLS(TStream& stream, int xfIndex, ICellWriteContext&) {
  Calculate();
  if (WriteXLSFormula(stream, xfIndex) || WriteXLSError(stream, xfIndex)) return;
  // A formula the format's tokens cannot hold leaves its value, when it has one.
  if (!HasValue || (IsBlankZero() && !HasFormula())) return WriteXLSBlank(stream, xfIndex);
  WriteXLSCellHeader(stream, xls_record::kNumber, xfIndex, 14);
  XLSWriteDouble(stream, FileValue());
}

void TExportCellDateTime::WriteXLS(TStream& stream, int xfIndex, ICellWriteContext&) {
  Calculate();
  if (WriteXLSFormula(stream, xfIndex) || WriteXLSError(stream, xfIndex)) return;
  // The stored serial as it is: a date keeps its time, a time its days, midnight is 0.
  if (!HasValue) return WriteXLSBlank(stream, xfIndex);
  double value = FileValue();
  if (value < 0) {
    std::u16string text = GetDisplayText();
    WriteXLSCellHeader(stream, xls_record::kLabel, xfIndex,
                       static_cast<std::uint16_t>(9 + 2 * text.size()));
    XLSWriteString(stream, text, TXLSWriteLength::Word);
    return;
  }
  WriteXLSCellHeader(stream, xls_record::kNumber, xfIndex, 14);
  XLSWriteDouble(stream, value);
}

void TExportCellBoolean::WriteXLS(TStream& stream, int xfIndex, ICellWriteContext&) {
  Calculate();
  if (WriteXLSFormula(stream, xfIndex) || WriteXLSError(stream, xfIndex)) return;
  if (!HasValue) return WriteXLSBlank(stream, xfIndex);
  WriteXLSCellHeader(stream, xls_record::kBoolErr, xfIndex, 8);
  const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(GetBoolean() ? 1 : 0), 0};
  stream.WriteBuffer(bytes, 2);
}

void TExportRow::WriteXLS(TStream& stream, int xfIndex, double height) const {
  // Hidden and outlined rows need the record even at the default height.
  if (height < 0 && !style_ && !Hidden && OutlineLevel == 0) return;
  XLSWriteRecordHeader(stream, xls_record::kRow, 16);
  XLSWriteWord(stream, static_cast<std::uint16_t>(GetIndex()));
  XLSWriteWord(stream, 0);
  XLSWriteWord(stream, 1);
  std::uint16_t twips = height < 0
                            ? 0x8000
                            : static_cast<std::uint16_t>(
                                  static_cast<long long>(std::nearbyint(height * 15)) & 0x7FFF);
  XLSWriteWord(stream, twips);
  XLSWriteWord(stream, 0);
  XLSWriteWord(stream, 0);
  std::uint32_t options = (OutlineLevel & 7) | 0x100;
  if (Hidden) options |= 0x20;
  // Without a height of its own the row must not claim one: readers would take height 0.
  if (HeightMode != 2 && height >= 0) options |= 0x40;
  if (style_) options |= 0x80 | ((static_cast<std::uint32_t>(xfIndex + 16) << 16) & 0x0FFF0000);
  XLSWriteDWord(stream, options);
}

}  // namespace workbook
