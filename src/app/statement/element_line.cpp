#include "app/statement/element_line.h"

#include "app/statement/xml_escape.h"

namespace app {

TElementLine::TElementLine(std::string_view name) : line_("    <" + std::string(name)) {}

TElementLine& TElementLine::Required(std::string_view name, std::string_view value) {
  line_ += ' ';
  line_ += name;
  line_ += "=\"";
  line_ += XmlAttribute(value);
  line_ += '"';
  return *this;
}

TElementLine& TElementLine::Optional(std::string_view name, std::string_view value) {
  return value.empty() ? *this : Required(name, value);
}

}  // namespace app
