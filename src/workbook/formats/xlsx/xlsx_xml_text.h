#pragma once
// What the parts the XLSX writer builds as plain text (fixed parts, shared strings) share: the
// declaration, where blanks need keeping, and the line breaks the file holds.
#include <string>
#include <string_view>

namespace workbook {

// The first line of every part the writer builds as text.
inline constexpr std::string_view kXLSXDeclarationLine =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

// Blanks at the edges, or two in a row, are lost by readers unless xml:space="preserve" is set.
bool XMLNeedsPreservedSpace(std::u16string_view text);

// Cell and shared-string texts keep CR LF in the model; the file holds LF alone.
std::u16string WithLineFeeds(std::u16string_view text);

// A cell's or shared string's text as its "t" element holds it (LF line breaks, "_xHHHH_"
// escapes, not yet XML-escaped), and whether the element needs xml:space="preserve".
struct TXLSXElementText {
  std::u16string Text;
  bool PreserveSpace = false;
};
TXLSXElementText XLSXElementText(std::u16string_view text);

}  // namespace workbook
