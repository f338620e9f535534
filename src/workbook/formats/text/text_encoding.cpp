#include "workbook/formats/text/text_encoding.h"

#include "platform/text_codec.h"

namespace workbook {

namespace {

using platform::IsHighSurrogate;
using platform::IsLowSurrogate;
constexpr char16_t kReplacement = platform::kReplacementCharacter;

// How many bytes of UTF-8 can be decoded now: all but a last character whose lead byte is there
// and whose continuation bytes are not all there yet.
std::size_t Utf8WholeLength(std::string_view bytes) {
  const std::size_t n = bytes.size();
  for (std::size_t back = 1; back <= 4 && back <= n; ++back) {
    const auto b = static_cast<unsigned char>(bytes[n - back]);
    if ((b & 0xC0) == 0x80) continue;
    const std::size_t length = b >= 0xF0 && b <= 0xF4   ? 4
                               : b >= 0xE0 && b <= 0xEF ? 3
                               : b >= 0xC2 && b <= 0xDF ? 2
                                                        : 1;
    return length > back ? n - back : n;
  }
  // Only continuation bytes at the end: malformed whatever follows.
  return n;
}

std::size_t DecodeUtf16(std::string_view bytes, bool bigEndian, bool final, std::u16string& text) {
  const std::size_t n = bytes.size() & ~std::size_t{1};
  auto unit = [&](std::size_t i) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  };
  std::size_t i = 0;
  while (i < n) {
    const char16_t u = unit(i);
    if (IsHighSurrogate(u)) {
      if (i + 4 <= n) {
        const char16_t partner = unit(i + 2);
        if (IsLowSurrogate(partner)) {
          text.push_back(u);
          text.push_back(partner);
          i += 4;
          continue;
        }
      } else if (!final) {
        break;  // the partner may come with the next bytes
      }
      text.push_back(kReplacement);
    } else {
      text.push_back(IsLowSurrogate(u) ? kReplacement : u);
    }
    i += 2;
  }
  if (final && i == n && n < bytes.size()) {
    text.push_back(kReplacement);  // a last odd byte
    i = bytes.size();
  }
  return i;
}

void EncodeUtf16(std::u16string_view text, bool bigEndian, std::string& bytes) {
  auto put = [&](char16_t u) {
    const char high = static_cast<char>(u >> 8);
    const char low = static_cast<char>(u & 0xFF);
    bytes.push_back(bigEndian ? high : low);
    bytes.push_back(bigEndian ? low : high);
  };
  for (char16_t u : platform::WellFormedUtf16(text)) put(u);
}

void EncodeAscii(std::u16string_view text, std::string& bytes) {
  for (std::size_t i = 0; i < text.size();) {
    // A surrogate pair is one character.
    const char32_t c = platform::NextCodePoint(text, i);
    bytes.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  }
}

}  // namespace

const TTextEncoding& TTextEncoding::Default() {
  static const TTextEncoding encoding(TTextEncodingKind::SystemCodePage);
  return encoding;
}

const TTextEncoding& TTextEncoding::ASCII() {
  static const TTextEncoding encoding(TTextEncodingKind::Ascii);
  return encoding;
}

const TTextEncoding& TTextEncoding::UTF8() {
  static const TTextEncoding encoding(TTextEncodingKind::Utf8);
  return encoding;
}

const TTextEncoding& TTextEncoding::Unicode() {
  static const TTextEncoding encoding(TTextEncodingKind::Utf16LE);
  return encoding;
}

const TTextEncoding& TTextEncoding::BigEndianUnicode() {
  static const TTextEncoding encoding(TTextEncodingKind::Utf16BE);
  return encoding;
}

std::string_view TTextEncoding::Preamble() const {
  switch (kind_) {
    case TTextEncodingKind::Utf8:
      return "\xEF\xBB\xBF";
    case TTextEncodingKind::Utf16LE:
      return "\xFF\xFE";
    case TTextEncodingKind::Utf16BE:
      return "\xFE\xFF";
    default:
      return {};
  }
}

std::size_t TTextEncoding::UnitSize() const {
  return kind_ == TTextEncodingKind::Utf16LE || kind_ == TTextEncodingKind::Utf16BE ? 2 : 1;
}

void TTextEncoding::Encode(std::u16string_view text, std::string& bytes) const {
  switch (kind_) {
    case TTextEncodingKind::SystemCodePage:
      bytes += platform::Utf16ToCp1250(text);
      break;
    case TTextEncodingKind::Ascii:
      EncodeAscii(text, bytes);
      break;
    case TTextEncodingKind::Utf8:
      bytes += platform::Utf16ToUtf8(text);
      break;
    case TTextEncodingKind::Utf16LE:
    case TTextEncodingKind::Utf16BE:
      EncodeUtf16(text, kind_ == TTextEncodingKind::Utf16BE, bytes);
      break;
  }
}

std::size_t TTextEncoding::Decode(std::string_view bytes, bool final, std::u16string& text) const {
  switch (kind_) {
    case TTextEncodingKind::SystemCodePage:
      platform::AppendCp1250AsUtf16(bytes, text);
      return bytes.size();
    case TTextEncodingKind::Ascii: {
      const std::size_t old = text.size();
      text.resize(old + bytes.size());
      char16_t* to = text.data() + old;
      for (char b : bytes) *to++ = static_cast<unsigned char>(b) < 0x80 ? b : kReplacement;
      return bytes.size();
    }
    case TTextEncodingKind::Utf8: {
      const std::size_t length = final ? bytes.size() : Utf8WholeLength(bytes);
      platform::AppendUtf8AsUtf16(bytes.substr(0, length), text);
      return length;
    }
    case TTextEncodingKind::Utf16LE:
    case TTextEncodingKind::Utf16BE:
      return DecodeUtf16(bytes, kind_ == TTextEncodingKind::Utf16BE, final, text);
  }
  return 0;
}

}  // namespace workbook
