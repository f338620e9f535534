#pragma once
// The byte encodings of delimited text: the system's 8-bit code page (Windows-1250), ASCII,
// UTF-8 and UTF-16 in both byte orders. An encoding turns library text into bytes and back;
// decoding works piece by piece, so a character split between two reads of a stream is
// decoded whole.
#include <cstddef>
#include <string>
#include <string_view>

namespace workbook {

enum class TTextEncodingKind { SystemCodePage, Ascii, Utf8, Utf16LE, Utf16BE };

class TTextEncoding {
 public:
  explicit TTextEncoding(TTextEncodingKind kind) : kind_(kind) {}

  // The shared instances; they live as long as the process.
  static const TTextEncoding& Default();  // the system's 8-bit code page
  static const TTextEncoding& ASCII();
  static const TTextEncoding& UTF8();
  static const TTextEncoding& Unicode();  // UTF-16, little-endian
  static const TTextEncoding& BigEndianUnicode();

  TTextEncodingKind Kind() const { return kind_; }
  bool operator==(const TTextEncoding& other) const { return kind_ == other.kind_; }

  // The byte-order mark; empty for the 8-bit encodings.
  std::string_view Preamble() const;
  // Bytes of the smallest code unit: 2 for UTF-16, else 1.
  std::size_t UnitSize() const;

  // Appends Text's bytes. Characters the encoding lacks become "?"; an unpaired surrogate
  // becomes U+FFFD where the encoding can hold it.
  void Encode(std::u16string_view text, std::string& bytes) const;
  // Appends the characters of the longest front part of bytes that holds only whole characters,
  // or of all of bytes when final; returns how many bytes that took. Malformed bytes (and, when
  // final, a character cut short) become U+FFFD; nothing is ever refused.
  std::size_t Decode(std::string_view bytes, bool final, std::u16string& text) const;

 private:
  TTextEncodingKind kind_;
};

}  // namespace workbook
