#pragma once
// The number formats of an XLS file by id: the built-in ones BIFF8 leaves out of the file and the
// FORMAT records, with the cell class and date/time kind each code calls for.
#include <cstdint>
#include <string>
#include <unordered_map>

#include "workbook/core/number_format_code.h"

namespace workbook {

// What part of a day serial a date/time format shows.
enum class TXLSDateTimeKind { Date, Time, DateTime, ElapsedTime };

struct TXLSNumberFormat {
  std::u16string Code;
  TNumberFormatClass Class = TNumberFormatClass::None;
  TXLSDateTimeKind Kind = TXLSDateTimeKind::DateTime;
};

class TXLSNumberFormats {
 public:
  // Holds the built-in formats.
  TXLSNumberFormats();
  // A FORMAT record's id and code; a file's code replaces a built-in one of the same id.
  void Add(std::uint16_t id, std::u16string code);
  // The format of Id; General for an id neither built in nor in the file.
  const TXLSNumberFormat& Get(std::uint16_t id) const;

 private:
  std::unordered_map<std::uint16_t, TXLSNumberFormat> formats_;
  TXLSNumberFormat general_;
};

// The date/time kind of a format code, as the date/time cells judge it: the code in lower case,
// cut at its first ";", "[h]" read as "h", every "\\" and every other bracketed section dropped;
// "d" or "y" make it a date, "h" or "s" a time, both or neither a date-time. A time with "[h]"
// counts elapsed hours. The system placeholders ("%sysdate%", ...) give their own kinds.
TXLSDateTimeKind XLSDateTimeKind(std::u16string_view code);

}  // namespace workbook
