#pragma once
// Byte-exact BIFF8 records for the record and string tests.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace xls_test {

using Bytes = std::vector<std::uint8_t>;

inline void Append(Bytes& to, const Bytes& more) { to.insert(to.end(), more.begin(), more.end()); }

inline Bytes Word(std::uint16_t v) {
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
}

inline Bytes DWord(std::uint32_t v) {
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
          static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) Append(all, p);
  return all;
}

// Characters as 8-bit bytes (all below 256) or as UTF-16LE.
inline Bytes Chars(const std::u16string& text, bool wide) {
  Bytes bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c));
    if (wide) bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return bytes;
}

inline Bytes Record(std::uint16_t id, const Bytes& data) {
  return Join({Word(id), Word(static_cast<std::uint16_t>(data.size())), data});
}

inline Bytes Continue(const Bytes& data) { return Record(0x003C, data); }

// Bytes as lower-case hex digits without separators, and back (spaces between digits skipped).
inline std::string ToHex(const Bytes& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string hex;
  for (std::uint8_t b : bytes) hex += {digits[b >> 4], digits[b & 15]};
  return hex;
}

inline Bytes FromHex(std::string hex) {
  std::erase(hex, ' ');
  Bytes bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

}  // namespace xls_test
