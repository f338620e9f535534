#include "platform/text_codec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace platform {
namespace {

// Unicode code points of the Windows-1250 bytes 0x80..0xFF (the published code page).
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

// The bytes of the units from U+0080 up, by the unit's high byte (a row, 0 for none: the code
// page's units lie in five rows) and its low byte; 0 for a unit the code page lacks.
struct TCp1250Rows {
  std::array<std::uint8_t, 256> RowOf{};
  std::array<std::array<std::uint8_t, 256>, 6> Bytes{};
};

constexpr TCp1250Rows MakeCp1250Rows() {
  TCp1250Rows rows;
  std::uint8_t used = 0;
  for (std::size_t i = 0; i < kHighHalf.size(); ++i) {
    const char16_t unit = kHighHalf[i];
    std::uint8_t& row = rows.RowOf[unit >> 8];
    if (row == 0) row = ++used;
    rows.Bytes.at(row)[unit & 0xFF] = static_cast<std::uint8_t>(0x80 + i);
  }
  return rows;
}

constexpr TCp1250Rows kCp1250Rows = MakeCp1250Rows();

constexpr std::array<char16_t, 256> MakeCp1250Units() {
  std::array<char16_t, 256> units{};
  for (std::size_t b = 0; b < 0x80; ++b) units[b] = static_cast<char16_t>(b);
  for (std::size_t i = 0; i < kHighHalf.size(); ++i) units[0x80 + i] = kHighHalf[i];
  return units;
}

char EncodeCp1250(char16_t c) {
  if (c < 0x80) return static_cast<char>(c);
  const unsigned char b = Cp1250HighByte(c);
  return b != 0 ? static_cast<char>(b) : '?';
}

// Widens the ASCII bytes at the front of from, eight at a time while eight are there and all are
// ASCII (most text is), and returns how many it widened.
std::size_t WidenAscii(const unsigned char* from, std::size_t n, char16_t* to) {
  using TEightBytes = std::uint8_t __attribute__((vector_size(8)));
  using TEightUnits = std::uint16_t __attribute__((vector_size(16)));
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    TEightBytes eight;
    std::memcpy(&eight, from + i, sizeof eight);
    std::uint64_t bits;
    std::memcpy(&bits, &eight, sizeof bits);
    if (bits & 0x8080808080808080u) break;
    const TEightUnits units = __builtin_convertvector(eight, TEightUnits);
    std::memcpy(to + i, &units, sizeof units);
  }
  return i;
}

}  // namespace

const std::array<char16_t, 256> kCp1250Units = MakeCp1250Units();

unsigned char Cp1250HighByte(char16_t unit) {
  return kCp1250Rows.Bytes[kCp1250Rows.RowOf[unit >> 8]][unit & 0xFF];
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

char32_t NextCodePoint(std::u16string_view text, std::size_t& i) {
  const char16_t c = text[i++];
  if (!IsSurrogate(c)) return c;
  if (IsHighSurrogate(c) && i < text.size() && IsLowSurrogate(text[i]))
    return 0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[i++] - 0xDC00);
  return kReplacementCharacter;
}

std::u16string WellFormedUtf16(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) AppendUtf16(out, NextCodePoint(text, i));
  return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

void AppendCp1250AsUtf16(std::string_view bytes, std::u16string& out) {
  const std::size_t old = out.size();
  out.resize(old + bytes.size());
  char16_t* const to = out.data() + old;
  const auto* from = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n;) {
    i += WidenAscii(from + i, n - i, to + i);
    // Up to the next eight bytes one at a time, through the table.
    for (const std::size_t end = std::min(n, i + 8); i < end; ++i) {
      const unsigned char b = from[i];
      to[i] = kCp1250Units[b];
    }
  }
}

std::u16string Cp1250ToUtf16(std::string_view bytes) {
  std::u16string out;
  AppendCp1250AsUtf16(bytes, out);
  return out;
}

std::string Utf16ToCp1250(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    // A surrogate pair is one character, and the code page has none of them.
    const char32_t c = NextCodePoint(text, i);
    out.push_back(c > 0xFFFF ? '?' : EncodeCp1250(static_cast<char16_t>(c)));
  }
  return out;
}

void AppendUtf8AsUtf16(std::string_view bytes, std::u16string& out) {
  // No character takes more units than bytes, so the room is made once and cut to size after.
  const std::size_t old = out.size();
  out.resize(old + bytes.size());
  char16_t* const first = out.data() + old;
  char16_t* to = first;
  const auto* from = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    const std::size_t ascii = WidenAscii(from + i, n - i, to);
    i += ascii;
    to += ascii;
    if (i == n) break;
    const unsigned char b = from[i];
    if (b < 0x80) {
      *to++ = b;
      ++i;
      continue;
    }
    int len;
    char32_t cp;
    char32_t min;
    if (b >= 0xC2 && b <= 0xDF) {
      len = 2, cp = b & 0x1F, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
      len = 3, cp = b & 0x0F, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
      len = 4, cp = b & 0x07, min = 0x10000;
    } else {
      *to++ = kReplacementCharacter;
      ++i;
      continue;
    }
    int k = 1;
    for (; k < len && i + k < n; ++k) {
      const unsigned char c = from[i + k];
      if ((c & 0xC0) != 0x80) break;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (k < len || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      // Skip the lead byte and the continuation bytes that belonged to it.
      *to++ = kReplacementCharacter;
      i += k;
      continue;
    }
    if (cp < 0x10000) {
      *to++ = static_cast<char16_t>(cp);
    } else {
      cp -= 0x10000;
      *to++ = static_cast<char16_t>(0xD800 + (cp >> 10));
      *to++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
    i += len;
  }
  out.resize(old + static_cast<std::size_t>(to - first));
}

std::u16string Utf8ToUtf16(std::string_view bytes) {
  std::u16string out;
  AppendUtf8AsUtf16(bytes, out);
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) AppendUtf8(out, NextCodePoint(text, i));
  return out;
}

std::string Cp1250ToUtf8(std::string_view bytes) { return Utf16ToUtf8(Cp1250ToUtf16(bytes)); }
std::string Utf8ToCp1250(std::string_view bytes) { return Utf16ToCp1250(Utf8ToUtf16(bytes)); }

}  // namespace platform
