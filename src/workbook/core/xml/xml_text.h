#pragma once
// Library text as XML character data: UTF-16 to UTF-8 without the characters XML 1.0 cannot
// carry, so that every part written stays well-formed whichever writer builds it.
#include <string>
#include <string_view>

namespace workbook {

// What AppendXmlText does with the characters markup gives a meaning to.
enum class TXmlEscaping {
  // Left as they are, for a writer that escapes them itself (libxml2's).
  None,
  // &, <, > and the double quote as entity references, and CR as a character reference (a
  // reader takes a bare CR for LF), as libxml2's writers do.
  Text,
  // As Text, and tab and LF as character references too, which attribute normalisation keeps.
  Attribute,
};

// Appends text as UTF-8. Control characters other than tab, LF and CR, U+FFFE and U+FFFF are
// left out; an unpaired surrogate becomes U+FFFD.
void AppendXmlText(std::string& out, std::u16string_view text, TXmlEscaping escaping);
std::string XmlText(std::u16string_view text, TXmlEscaping escaping = TXmlEscaping::Text);
// The same filtering for text that is UTF-8 already; nothing is escaped.
void AppendXmlText(std::string& out, std::string_view text);

}  // namespace workbook
