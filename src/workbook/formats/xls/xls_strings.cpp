#include "workbook/formats/xls/xls_strings.h"

#include <algorithm>

#include "workbook/core/exceptions.h"
#include "workbook/formats/xls/xls_stream_primitives.h"

namespace workbook {

namespace {

constexpr std::uint8_t kOptionWideChars = 0x01;
constexpr std::uint8_t kOptionExtended = 0x04;
constexpr std::uint8_t kOptionRichText = 0x08;

// Reads string fields that may straddle a record boundary: they go on in the next CONTINUE record
// with no byte in between.
std::uint8_t ReadContinuedByte(TXLSRecordReader& reader) {
  while (reader.Left() == 0) reader.NextContinue();
  return reader.ReadByte();
}

std::uint16_t ReadContinuedWord(TXLSRecordReader& reader) {
  const std::uint8_t low = ReadContinuedByte(reader);
  return static_cast<std::uint16_t>(low | ReadContinuedByte(reader) << 8);
}

std::uint32_t ReadContinuedDWord(TXLSRecordReader& reader) {
  const std::uint16_t low = ReadContinuedWord(reader);
  return low | static_cast<std::uint32_t>(ReadContinuedWord(reader)) << 16;
}

void SkipContinued(TXLSRecordReader& reader, std::uint32_t count) {
  while (count > 0) {
    while (reader.Left() == 0) reader.NextContinue();
    const std::uint32_t step = std::min(count, reader.Left());
    reader.Skip(step);
    count -= step;
  }
}

// Appends up to count characters that the current record holds, stored as 16-bit units or as
// their low bytes, decoded where they lie; returns how many were read.
std::uint32_t ReadCharacters(TXLSRecordReader& reader, std::uint32_t count, bool wide,
                             std::u16string& text) {
  const std::uint32_t n = std::min(count, wide ? reader.Left() / 2 : reader.Left());
  const std::uint8_t* bytes = reader.ReadInPlace(wide ? 2 * std::size_t{n} : n);
  const std::size_t at = text.size();
  text.resize(at + n);
  char16_t* out = text.data() + at;
  if (wide) {
    for (std::uint32_t i = 0; i < n; ++i)
      out[i] = static_cast<char16_t>(XLSDecodeWord(bytes + 2 * i));
  } else {
    for (std::uint32_t i = 0; i < n; ++i) out[i] = bytes[i];
  }
  return n;
}

}  // namespace

std::u16string XLSReadString(TXLSRecordReader& reader, TXLSLengthRecord length) {
  const std::uint32_t count =
      length == TXLSLengthRecord::Byte ? reader.ReadByte() : reader.ReadWord();
  return XLSReadStringOfLength(reader, count);
}

std::optional<std::u16string> XLSTryReadString(TXLSRecordReader& reader, TXLSLengthRecord length) {
  const std::uint32_t size = length == TXLSLengthRecord::Byte ? 1 : 2;
  if (reader.Left() < size) return std::nullopt;
  const std::uint32_t count =
      length == TXLSLengthRecord::Byte ? reader.ReadByte() : reader.ReadWord();
  if (count == 0 && reader.Left() == 0) return std::u16string();
  // Characters missing at the record's end (no CONTINUE record follows) drop the string only.
  try {
    return XLSReadStringOfLength(reader, count);
  } catch (const EXLSSharedStrings&) {
    return std::nullopt;
  }
}

std::u16string XLSReadStringOfLength(TXLSRecordReader& reader, std::uint32_t count) {
  std::u16string text;
  std::vector<TXLSRichTextRun> runs;
  XLSReadRichString(reader, count, text, runs);
  return text;
}

void XLSReadRichStringPart(TXLSRecordReader& reader, std::uint32_t& charsLeft,
                           std::uint32_t& extSize, std::uint16_t& runCount,
                           std::vector<TXLSRichTextRun>& runs, std::u16string& text, bool first) {
  const std::uint8_t option = charsLeft > 0 || first ? ReadContinuedByte(reader) : 0;
  if (first) {
    runCount = option & kOptionRichText ? ReadContinuedWord(reader) : 0;
    extSize = option & kOptionExtended ? ReadContinuedDWord(reader) : 0;
  }
  charsLeft -= ReadCharacters(reader, charsLeft, option & kOptionWideChars, text);
  if (charsLeft > 0) return;
  for (; runCount > 0; --runCount) {
    const std::uint16_t position = ReadContinuedWord(reader);
    runs.push_back({position, ReadContinuedWord(reader)});
  }
  SkipContinued(reader, extSize);
  extSize = 0;
}

void XLSReadRichString(TXLSRecordReader& reader, std::uint32_t count, std::u16string& text,
                       std::vector<TXLSRichTextRun>& runs) {
  text.clear();
  runs.clear();
  // A plain string that lies whole in the current record, as nearly all do, in one step.
  if (const std::uint8_t* option = reader.PeekInPlace(1);
      option != nullptr && (*option & (kOptionRichText | kOptionExtended)) == 0) {
    const bool wide = (*option & kOptionWideChars) != 0;
    if (1 + (wide ? 2 : 1) * std::uint64_t{count} <= reader.Left()) {
      reader.Skip(1);
      ReadCharacters(reader, count, wide, text);
      return;
    }
  }
  std::uint32_t left = count;
  std::uint32_t extSize = 0;
  std::uint16_t runCount = 0;
  XLSReadRichStringPart(reader, left, extSize, runCount, runs, text, true);
  while (left > 0) {
    // The characters go on in the next CONTINUE record, which starts with a fresh option byte.
    do reader.NextContinue();
    while (reader.Left() == 0);
    XLSReadRichStringPart(reader, left, extSize, runCount, runs, text, false);
  }
}

std::u16string XLSReadWideChars(TXLSRecordReader& reader, std::uint32_t count, bool dropLast) {
  // Character by character, so a damaged count fails at the record's end before it costs memory.
  std::u16string text;
  for (std::uint32_t i = 0; i < count; ++i)
    text.push_back(static_cast<char16_t>(reader.ReadWord()));
  if (dropLast && count > 1) text.pop_back();
  return text;
}

}  // namespace workbook
