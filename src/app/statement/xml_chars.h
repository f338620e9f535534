#pragma once
// Characters the XML reports cannot carry. XML 1.0 has no way to write the C0 controls other
// than TAB, LF and CR (not even as references), nor U+FFFE, U+FFFF and unpaired surrogates: a
// report holding one is not XML at all. The import lists such a field as invalid, and no report
// file is written while one holds such a text (a row's field or a settings.ini value).
#include <string>
#include <string_view>

#include "app/statement/text_lines.h"

namespace app {

// Whether every character of the Windows-1250 text can stand in an XML document.
bool IsXmlText(std::string_view text);

// A cell's value text in Windows-1250 for the import. The code page turns characters it lacks
// into "?", which would pass for data; characters XML cannot carry become SUB (0x1A) instead,
// which IsXmlText rejects, so the row's checks report the field.
std::string CellTextToCp1250(std::u16string_view text);

// Raises EAppException naming the first line (1-based) that holds a character XML cannot
// carry; nothing is written then, and no success is reported.
void RequireXmlLines(const TTextLines& lines);

}  // namespace app
