#include "workbook/formats/xls/xls_cell_text.h"

#include <cmath>

#include "workbook/core/invariant_texts.h"

namespace workbook {

namespace {

// Days between the 1904 and the 1900 date systems' day 0.
constexpr double k1904Offset = 1462;

std::u16string DateTimeText(double value, TXLSDateTimeKind kind) {
  switch (kind) {
    case TXLSDateTimeKind::Date:
      return ISODateToStr(std::trunc(value));
    case TXLSDateTimeKind::Time:
      return ISOTimeToStr(value - std::trunc(value));
    case TXLSDateTimeKind::ElapsedTime:
      return ISOTimeToStr(value);
    case TXLSDateTimeKind::DateTime:
      break;
  }
  return ISODateTimeToStr(value);
}

std::u16string CrLfText(std::u16string_view text) {
  std::u16string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) result += u'\r';
    result += text[i];
  }
  return result;
}

}  // namespace

std::u16string XLSCellValueText(const TXLSCell& cell, const TXLSGlobals& globals) {
  switch (cell.Kind) {
    case TXLSCellKind::Blank:
    case TXLSCellKind::Error:
      return {};
    case TXLSCellKind::Text:
      return CrLfText(cell.Text);
    case TXLSCellKind::Boolean:
      return ISOBoolToStr(cell.Number != 0);
    case TXLSCellKind::Number:
      break;
  }
  const TXLSNumberFormat& format = globals.NumberFormats().Get(globals.CellFormat(cell.XF).Format);
  if (format.Class != TNumberFormatClass::DateTime) return ISOFloatToStr(cell.Number);
  const double value = globals.Date1904() ? cell.Number + k1904Offset : cell.Number;
  return DateTimeText(value, format.Kind);
}

}  // namespace workbook
