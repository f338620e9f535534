#pragma once
// Escaping of the values the two XML reports write. The values are the application's
// Windows-1250 text, one byte per character, so escaping works byte by byte.
#include <string>
#include <string_view>

namespace app {

// Element content: "&", "<" and ">" as entities.
std::string XmlText(std::string_view value);

// An attribute value between double quotes: "&", "<", ">" and the double quote as entities.
std::string XmlAttribute(std::string_view value);

// The value as a CDATA section: "<![CDATA[" value "]]>". A "]]>" inside the value would end the
// section early, so the section is closed after its "]]" and a new one opened for the ">": the
// text read back is the value unchanged.
std::string Cdata(std::string_view value);

// The first `limit` characters of the value (all of it when shorter).
std::string_view LeftChars(std::string_view value, std::size_t limit);

}  // namespace app
