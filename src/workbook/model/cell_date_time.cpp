#include "workbook/model/cell_date_time.h"

#include <cmath>
#include <vector>

#include "platform/date_time.h"
#include "platform/format_settings.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/model/format_code_pool.h"
#include "workbook/model/sys_date_formats.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

constexpr double kDays1904 = 1462;

// The runs of digits of text.
std::vector<int> DigitGroups(const std::u16string& text) {
  std::vector<int> groups;
  long long current = -1;
  for (char16_t c : text) {
    if (c >= u'0' && c <= u'9') {
      current = (current < 0 ? 0 : current) * 10 + (c - u'0');
      if (current > 99999) current = 99999;
    } else if (current >= 0) {
      groups.push_back(static_cast<int>(current));
      current = -1;
    }
  }
  if (current >= 0) groups.push_back(static_cast<int>(current));
  return groups;
}

// A date typed in the order of the system's short date format.
bool ParseLocalDate(const std::vector<int>& g, double& serial) {
  if (g.size() < 3) return false;
  std::u16string order = LowerAscii(platform::FormatSettings().ShortDateFormat);
  std::size_t d = order.find(u'd'), m = order.find(u'm'), y = order.find(u'y');
  if (d == std::u16string::npos || m == std::u16string::npos || y == std::u16string::npos)
    return false;
  int rank[3] = {0, 0, 0};  // position of day, month, year among the three groups
  rank[0] = (d > m) + (d > y);
  rank[1] = (m > d) + (m > y);
  rank[2] = (y > d) + (y > m);
  int year = g[rank[2]];
  if (year < 100) year += year < 50 ? 2000 : 1900;
  return platform::TryEncodeDate(year, g[rank[1]], g[rank[0]], serial);
}

bool ParseLocalTime(const std::vector<int>& g, std::size_t first, bool afternoon, double& time) {
  if (g.size() < first + 2) return false;
  int hour = g[first];
  if (afternoon && hour < 12) hour += 12;
  int second = g.size() > first + 2 ? g[first + 2] : 0;
  return platform::TryEncodeTime(hour, g[first + 1], second, 0, time);
}

}  // namespace

void TExportCellDateTime::DoCreate() {
  TExportWorkSheet* sheet = GetWorkSheet();
  SetInternedFormatCode(sheet ? sheet->DefaultDateTimeCode(false)
                              : InternFormatCode(DefaultDateTimeCodeFor(
                                    WorkbookDateFormat, WorkbookTimeFormat, false)));
}

void TExportCellTime::DoCreate() {
  TExportWorkSheet* sheet = GetWorkSheet();
  SetInternedFormatCode(sheet ? sheet->DefaultDateTimeCode(true)
                              : InternFormatCode(DefaultDateTimeCodeFor(WorkbookDateFormat,
                                                                        WorkbookTimeFormat, true)));
}

void TExportCellDateTime::ApplyWorkSheetDefaults(TExportWorkSheet& sheet, TExportCellStyle& style) {
  TExportCell::ApplyWorkSheetDefaults(sheet, style);
  if (sheet.DefaultDateTimeAlignment != 0) style.SetAlignment(sheet.DefaultDateTimeAlignment);
}

std::u16string TExportCellDateTime::ExpandedCode() const {
  return ExpandSysDateFormats(GetFormatCode());
}

bool TExportCellDateTime::ElapsedHours() const {
  return LowerAscii(ExpandedCode()).find(u"[h]") != std::u16string::npos;
}

TDateTimeKind TExportCellDateTime::GetKind() const {
  return DateTimeKindOf(NormalizeDateTimeCode(ExpandedCode()));
}

double TExportCellDateTime::GetKindValue() const {
  return DateTimeKindValue(Value, GetKind(), ElapsedHours());
}

std::u16string TExportCellDateTime::GetValueText() const {
  if (FormulaError() != TRPNError::None) return std::u16string();  // no amount
  switch (GetKind()) {
    case TDateTimeKind::Date:
      return ISODateToStr(GetKindValue());
    case TDateTimeKind::Time:
      return ISOTimeToStr(GetKindValue());
    default:
      return ISODateTimeToStr(Value);
  }
}

void TExportCellDateTime::SetValueText(const std::u16string& text) {
  switch (GetKind()) {
    case TDateTimeKind::Date:
      SetValue(ISOStrToDate(text));
      break;
    case TDateTimeKind::Time:
      SetValue(ISOStrToTime(text));
      break;
    default:
      SetValue(ISOStrToDateTime(text));
      break;
  }
}

std::u16string TExportCellDateTime::GetDisplayText() {
  if (FormulaError() != TRPNError::None) return RPNErrorText(FormulaError());
  TDateTimeKind kind = GetKind();
  // An unset date shows nothing; midnight is still a time.
  if (!HasValue || (Value == 0 && kind != TDateTimeKind::Time)) return std::u16string();
  bool elapsed = ElapsedHours();
  return FormatDateTimeCode(NormalizeDateTimeCode(ExpandedCode()),
                            DateTimeKindValue(Value, kind, elapsed), elapsed);
}

void TExportCellDateTime::SetDisplayText(const std::u16string& text) {
  std::u16string expanded = LowerAscii(ExpandedCode());
  TDateTimeKind kind = DateTimeKindOf(NormalizeDateTimeCode(expanded));
  double value = 0;
  bool ok;
  if (expanded.find(u"yyyy-mm-dd") != std::u16string::npos) {
    ok = kind == TDateTimeKind::Date   ? ISOTryStrToDate(text, value)
         : kind == TDateTimeKind::Time ? (value = ISOStrToTime(text), true)
                                       : ISOTryStrToDateTime(text, value);
  } else {
    std::vector<int> groups = DigitGroups(text);
    const platform::TFormatSettings& fs = platform::FormatSettings();
    bool afternoon = !fs.TimePMString.empty() &&
                     LowerAscii(text).find(LowerAscii(fs.TimePMString)) != std::u16string::npos;
    double date = 0, time = 0;
    if (kind == TDateTimeKind::Time) {
      ok = ParseLocalTime(groups, 0, afternoon, time);
    } else {
      ok = ParseLocalDate(groups, date);
      if (ok && kind == TDateTimeKind::DateTime && groups.size() > 3)
        ok = ParseLocalTime(groups, 3, afternoon, time);
    }
    value = date + time;
  }
  HasValue = ok;
  Value = ok ? value : 0;
}

void TExportCellDateTime::ReadValue(double fileValue) {
  TWorkbook* book = GetWorkbook();
  TExportCellCustomNumber::ReadValue(book && book->Date1904 ? fileValue + kDays1904 : fileValue);
}

double TExportCellDateTime::FileValue() const {
  TWorkbook* book = GetWorkbook();
  return book && book->Date1904 ? Value - kDays1904 : Value;
}

}  // namespace workbook
