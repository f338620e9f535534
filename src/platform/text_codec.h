#pragma once
// Conversions between the three text forms of the system: the application's Windows-1250 bytes,
// the library's UTF-16 and the UTF-8 that XML and the written files use.
#include <array>
#include <string>
#include <string_view>

namespace platform {

// The UTF-16 unit of each Windows-1250 byte (the five unassigned bytes: the C1 control of the
// same number).
extern const std::array<char16_t, 256> kCp1250Units;
// The Windows-1250 byte of a unit from U+0080 up, or 0 where the code page lacks it: every such
// unit the code page holds has a byte from 0x80 up.
unsigned char Cp1250HighByte(char16_t unit);

// Windows-1250 bytes to UTF-16; every byte maps to one unit (the five unassigned bytes map to
// the C1 control of the same number, so all 256 bytes round-trip).
std::u16string Cp1250ToUtf16(std::string_view bytes);
// The same appended to out (a reader's buffer, decoded piece by piece).
void AppendCp1250AsUtf16(std::string_view bytes, std::u16string& out);
// UTF-16 to Windows-1250; characters the code page lacks become "?".
std::string Utf16ToCp1250(std::u16string_view text);

// UTF-8 to UTF-16; malformed sequences, overlong forms and encoded surrogates become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view bytes);
// The same appended to out.
void AppendUtf8AsUtf16(std::string_view bytes, std::u16string& out);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Appends one code point (at most U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);
// Appends one code point (at most U+10FFFF) as UTF-16: a surrogate pair above U+FFFF.
void AppendUtf16(std::u16string& out, char32_t codePoint);

// What an unpaired surrogate or a malformed sequence reads as.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

inline bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
inline bool IsSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// The character that starts at text[I], moving I past it: a surrogate pair is one character, an
// unpaired surrogate reads as U+FFFD. I must be below the text's size.
char32_t NextCodePoint(std::u16string_view text, std::size_t& i);
// text with every unpaired surrogate made U+FFFD, so that any writer can encode it.
std::u16string WellFormedUtf16(std::u16string_view text);

// Shortcuts for the application's boundaries.
std::string Cp1250ToUtf8(std::string_view bytes);
std::string Utf8ToCp1250(std::string_view bytes);

}  // namespace platform
