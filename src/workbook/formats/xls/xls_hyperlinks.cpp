#include "workbook/formats/xls/xls_hyperlinks.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/formats/xls/xls_strings.h"

namespace workbook {

namespace {

using TGuid = std::array<std::uint8_t, 16>;

// Class ids as stored (the first three fields little-endian).
constexpr TGuid kStdLink = {0xD0, 0xC9, 0xEA, 0x79, 0xF9, 0xBA, 0xCE, 0x11,
                            0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B};
constexpr TGuid kURLMoniker = {0xE0, 0xC9, 0xEA, 0x79, 0xF9, 0xBA, 0xCE, 0x11,
                               0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B};
constexpr TGuid kURLSerial = {0x79, 0x58, 0x81, 0xF4, 0x3B, 0x1D, 0x7F, 0x48,
                              0xAF, 0x2C, 0x82, 0x5D, 0xC4, 0x85, 0x27, 0x63};
constexpr std::uint32_t kHasMoniker = 0x01, kAbsolute = 0x02, kSiteGivenName = 0x04,
                        kHasDisplayName = 0x10, kHasFrameName = 0x80;
constexpr std::uint32_t kURLTrailerSize = 24;
// The record's fixed part: range, class ids, version, flags, lengths, both closing zeros and the
// moniker trailer. The two texts share what a record holds beyond it.
constexpr std::size_t kFixedSize = 84;
constexpr std::size_t kMaxChars = (xls_record::kMaxRecordData - kFixedSize) / 2;

// The first count characters of text, one fewer when the cut would split a surrogate pair.
std::u16string_view CutAt(std::u16string_view text, std::size_t count) {
  if (text.size() <= count) return text;
  if (count > 0 && text[count - 1] >= 0xD800 && text[count - 1] <= 0xDBFF) --count;
  return text.substr(0, count);
}

void WriteGuid(TStream& stream, const TGuid& guid) { stream.WriteBuffer(guid.data(), guid.size()); }

void WriteChars(TStream& stream, std::u16string_view text) {
  for (char16_t c : platform::WellFormedUtf16(text)) XLSWriteWord(stream, c);
  XLSWriteWord(stream, 0);
}

bool ReadGuid(TXLSRecordReader& reader, const TGuid& expected) {
  TGuid guid;
  reader.ReadBytes(guid.data(), guid.size());
  return XLSCompareBytes(guid.data(), expected.data(), guid.size());
}

// A character-counted text of the link (display or frame name); False when it overruns.
bool SkipCountedChars(TXLSRecordReader& reader) {
  const std::uint32_t count = reader.ReadDWord();
  if (count > reader.Left() / 2) return false;
  reader.Skip(count * 2);
  return true;
}

}  // namespace

void XLSWriteHyperlink(TStream& stream, int firstRow, int lastRow, int firstCol, int lastCol,
                       std::u16string_view target, std::u16string_view text) {
  // The URL is what the link is for: it keeps all the room it needs, the display name the rest.
  target = CutAt(target, kMaxChars);
  text = CutAt(text, kMaxChars - target.size());
  const std::size_t size = 2 * (target.size() + 1) + 48 + 2 * (text.size() + 1) + 32;
  XLSWriteRecordHeader(stream, xls_record::kHLink, static_cast<std::uint16_t>(size));
  for (int v : {firstRow, lastRow, firstCol, lastCol})
    XLSWriteWord(stream, static_cast<std::uint16_t>(v));
  WriteGuid(stream, kStdLink);
  XLSWriteDWord(stream, 2);
  XLSWriteDWord(stream, kHasMoniker | kAbsolute | kSiteGivenName | kHasDisplayName);
  XLSWriteDWord(stream, static_cast<std::uint32_t>(text.size() + 1));
  WriteChars(stream, text);
  WriteGuid(stream, kURLMoniker);
  // The moniker's length covers the serialisation trailer after the URL too.
  XLSWriteDWord(stream, static_cast<std::uint32_t>(2 * (target.size() + 1) + kURLTrailerSize));
  WriteChars(stream, target);
  WriteGuid(stream, kURLSerial);
  XLSWriteDWord(stream, 0);
  XLSWriteDWord(stream, 0xABA5);
}

std::optional<TXLSHyperlink> XLSReadHyperlink(TXLSRecordReader& reader) {
  // A link this reader does not take is passed over, like a record it does not know.
  try {
    TXLSHyperlink link;
    link.Row = reader.ReadWord();
    reader.Skip(2);
    link.Col = reader.ReadWord();
    reader.Skip(2);
    // A damaged first column, past the last column of a sheet, has no cell to take the link.
    if (link.Col >= xls_record::kColumnCount) return std::nullopt;
    if (!ReadGuid(reader, kStdLink) || reader.ReadDWord() != 2) return std::nullopt;
    const std::uint32_t flags = reader.ReadDWord();
    if ((flags & (kHasMoniker | kAbsolute)) != (kHasMoniker | kAbsolute)) return std::nullopt;
    if ((flags & kHasDisplayName) && !SkipCountedChars(reader)) return std::nullopt;
    if ((flags & kHasFrameName) && !SkipCountedChars(reader)) return std::nullopt;
    if (!ReadGuid(reader, kURLMoniker)) return std::nullopt;
    const std::uint32_t bytes = reader.ReadDWord();
    if (bytes > reader.Left()) return std::nullopt;
    link.Target = XLSReadWideChars(reader, bytes / 2, false);
    // The URL ends at its closing zero; a serialisation trailer may follow within the length.
    link.Target.resize(std::min(link.Target.size(), link.Target.find(u'\0')));
    if (link.Target.empty()) return std::nullopt;
    return link;
  } catch (const EWorkbookFileException&) {
    return std::nullopt;
  }
}

}  // namespace workbook
