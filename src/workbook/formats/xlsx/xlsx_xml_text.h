#pragma once
// XML text for the parts the XLSX writer builds as plain text (fixed parts, shared strings):
// UTF-16 library text to escaped UTF-8.
#include <string>
#include <string_view>

namespace workbook {

// The first line of every part the writer builds as text.
inline constexpr std::string_view kXLSXDeclarationLine =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

// Appends Text as UTF-8 with &, <, > and the double quote escaped. Characters XML 1.0 cannot
// carry (control characters other than tab, CR and LF, unpaired surrogates, U+FFFE, U+FFFF) are
// left out, so the part stays well-formed. CR becomes a character reference (a reader would
// take a bare one for LF); with Attribute tab and LF too, so they survive attribute
// normalisation.
void AppendXMLText(std::string& out, std::u16string_view text, bool attribute = false);
std::string XMLText(std::u16string_view text, bool attribute = false);

// Blanks at the edges, or two in a row, are lost by readers unless xml:space="preserve" is set.
bool XMLNeedsPreservedSpace(std::u16string_view text);

// Cell and shared-string texts keep CR LF in the model; the file holds LF alone.
std::u16string WithLineFeeds(std::u16string_view text);

}  // namespace workbook
