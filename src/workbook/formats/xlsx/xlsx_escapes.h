#pragma once
// The "_xHHHH_" escapes of SpreadsheetML texts: a UTF-16 unit written as four hexadecimal digits
// between "_x" and "_". They carry the characters XML 1.0 cannot hold, and "_x005F_" escapes the
// underscore of a literal text that would otherwise read as an escape.
#include <string>
#include <string_view>

namespace workbook {

// Every escape replaced by its unit, in one pass from the left ("_x005F_x000D_" gives the literal
// "_x000D_"). Letter case of the digits and of the "x" does not matter.
std::u16string DecodeXLSXEscapes(std::u16string_view text);
// The unit of the escape starting at I, or -1 when none starts there.
int XLSXEscapeAt(std::u16string_view text, std::size_t i);
// Units XML 1.0 cannot carry (control characters other than tab, LF and CR, unpaired surrogates,
// U+FFFE, U+FFFF) escaped, and the underscore of every literal escape-shaped text as "_x005F_".
std::u16string EncodeXLSXEscapes(std::u16string_view text);
// Whether EncodeXLSXEscapes would change text (most texts: no).
bool NeedsXLSXEscapes(std::u16string_view text);

// A cell's string as the sheet holds it (inline strings, cached formula strings): escapes decoded,
// every CR, LF and CR LF one LF.
std::u16string XLSXCellStringText(std::u16string_view text);

}  // namespace workbook
