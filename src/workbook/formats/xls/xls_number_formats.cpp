#include "workbook/formats/xls/xls_number_formats.h"

#include <utility>

namespace workbook {

namespace {

// The formats BIFF8 files use by id without writing FORMAT records for them; the system
// placeholders stand for the user's short date and date-time formats.
constexpr std::pair<std::uint16_t, const char16_t*> kBuiltIn[] = {
    {1, u"0"},
    {2, u"0.00"},
    {3, u"#,##0"},
    {4, u"#,##0.00"},
    {9, u"0%"},
    {10, u"0.00%"},
    {11, u"0.00E+00"},
    {12, u"# ?/?"},
    {13, u"# ?\?/?\?"},
    {14, u"%sysdate%"},
    {15, u"d-mmm-yy"},
    {16, u"d-mmm"},
    {17, u"mmm-yy"},
    {18, u"h:mm am/pm"},
    {19, u"h:mm:ss am/pm"},
    {20, u"h:mm"},
    {21, u"h:mm:ss"},
    {22, u"%sysdatetimews%"},
    {37, u"#,##0 ;(#,##0)"},
    {38, u"#,##0 ;[Red](#,##0)"},
    {39, u"#,##0.00;(#,##0.00)"},
    {40, u"#,##0.00;[Red](#,##0.00)"},
    {45, u"mm:ss"},
    {46, u"[h]:mm:ss"},
    {47, u"mmss.0"},
    {48, u"##0.0E+0"},
    {49, u"@"},
};

TXLSNumberFormat Classified(std::u16string code) {
  TXLSNumberFormat format;
  TNumberFormatRec details;
  format.Class = ParseNumberFormat(code, details);
  if (format.Class == TNumberFormatClass::DateTime) format.Kind = XLSDateTimeKind(code);
  format.Code = std::move(code);
  return format;
}

}  // namespace

TXLSNumberFormats::TXLSNumberFormats() {
  for (const auto& [id, code] : kBuiltIn) formats_[id] = Classified(code);
}

void TXLSNumberFormats::Add(std::uint16_t id, std::u16string code) {
  formats_[id] = Classified(std::move(code));
}

const TXLSNumberFormat& TXLSNumberFormats::Get(std::uint16_t id) const {
  const auto found = formats_.find(id);
  return found != formats_.end() ? found->second : general_;
}

TXLSDateTimeKind XLSDateTimeKind(std::u16string_view code) {
  std::u16string lower;
  lower.reserve(code.size());
  for (char16_t c : code) lower += (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
  if (lower == u"%sysdate%") return TXLSDateTimeKind::Date;
  if (lower == u"%systime%" || lower == u"%systimews%") return TXLSDateTimeKind::Time;
  if (lower.starts_with(u"%sysdatetime")) return TXLSDateTimeKind::DateTime;

  const bool elapsed = lower.find(u"[h]") != std::u16string::npos;
  if (const std::size_t section = lower.find(u';'); section != std::u16string::npos) {
    lower.resize(section);
  }
  std::u16string letters;
  for (std::size_t i = 0; i < lower.size(); ++i) {
    if (lower.compare(i, 3, u"[h]") == 0) {
      letters += u'h';
      i += 2;
    } else if (lower[i] == u'[') {
      const std::size_t close = lower.find(u']', i);
      if (close == std::u16string::npos) break;
      i = close;
    } else if (lower[i] != u'\\') {
      letters += lower[i];
    }
  }
  const bool date = letters.find_first_of(u"dy") != std::u16string::npos;
  const bool time = letters.find_first_of(u"hs") != std::u16string::npos;
  if (date && !time) return TXLSDateTimeKind::Date;
  if (time && !date) return elapsed ? TXLSDateTimeKind::ElapsedTime : TXLSDateTimeKind::Time;
  return TXLSDateTimeKind::DateTime;
}

}  // namespace workbook
