#include "app/statement/xml_escape.h"

namespace app {
namespace {

std::string Escape(std::string_view value, bool quote) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += quote ? "&quot;" : "\"";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

std::string XmlText(std::string_view value) { return Escape(value, false); }

std::string XmlAttribute(std::string_view value) { return Escape(value, true); }

std::string Cdata(std::string_view value) {
  constexpr std::string_view kEnd = "]]>";
  std::string out = "<![CDATA[";
  std::size_t from = 0;
  for (std::size_t at = value.find(kEnd); at != std::string_view::npos;
       at = value.find(kEnd, from)) {
    out.append(value.substr(from, at + 2 - from));
    out += "]]><![CDATA[";
    from = at + 2;
  }
  out.append(value.substr(from));
  out += "]]>";
  return out;
}

std::string_view LeftChars(std::string_view value, std::size_t limit) {
  return value.substr(0, limit);
}

}  // namespace app
