#pragma once
// BIFF8 strings (XLUnicodeString and XLUnicodeRichExtendedString bodies) read through the record
// reader: the characters may go on in CONTINUE records, each piece with its own option byte, so
// one string can switch between 8-bit and 16-bit characters at a record boundary.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "workbook/formats/xls/xls_record_reader.h"

namespace workbook {

// One formatting run of a rich string: from the 0-based character Position on, the text uses the
// BIFF font FontIndex.
struct TXLSRichTextRun {
  std::uint16_t Position = 0;
  std::uint16_t FontIndex = 0;
  bool operator==(const TXLSRichTextRun&) const = default;
};

// How a string's character count is stored in front of it.
enum class TXLSLengthRecord { Byte, Word };

// A count (a byte or a word) and then the string body.
std::u16string XLSReadString(TXLSRecordReader& reader, TXLSLengthRecord length);
// An optional string (a header, a number format, a cell's text) that some writers damage: an empty
// string without its option byte reads as empty; one cut short by the record's end, or whose
// count word is missing, gives nothing, and the caller drops it and goes on.
std::optional<std::u16string> XLSTryReadString(TXLSRecordReader& reader, TXLSLengthRecord length);
// The body of a string of count characters; its runs and extended data are passed over.
std::u16string XLSReadStringOfLength(TXLSRecordReader& reader, std::uint32_t count);
// The body of a string of count characters into text: option byte, run count, extended-data size,
// characters, runs (kept in runs) and extended data (such as phonetic text, passed over), any of
// them going on in CONTINUE records. text and runs are emptied first, so one pair serves a whole
// table without allocating per string.
void XLSReadRichString(TXLSRecordReader& reader, std::uint32_t count, std::u16string& text,
                       std::vector<TXLSRichTextRun>& runs);
// One piece of a rich string: the option byte (when characters are left, and always on the first
// piece), on the first piece the run count and the extended-data size, then as many of the
// charsLeft characters as the current record holds (appended to text). Once no character is left,
// the runs (appended to runs) and the extended data follow, across CONTINUE records; runCount and
// extSize are then 0.
void XLSReadRichStringPart(TXLSRecordReader& reader, std::uint32_t& charsLeft,
                           std::uint32_t& extSize, std::uint16_t& runCount,
                           std::vector<TXLSRichTextRun>& runs, std::u16string& text, bool first);
// count UTF-16LE characters without option byte; one fewer is kept when dropLast is set and count
// is above 1 (texts stored with their terminating zero).
std::u16string XLSReadWideChars(TXLSRecordReader& reader, std::uint32_t count, bool dropLast);

}  // namespace workbook
