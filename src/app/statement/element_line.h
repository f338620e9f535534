#pragma once
// One transaction line of the control statement: an empty element with its attributes.
#include <string>
#include <string_view>

namespace app {

class TElementLine {
 public:
  // Starts "    <Name".
  explicit TElementLine(std::string_view name);
  // A mandatory attribute: always written, also with an empty value.
  TElementLine& Required(std::string_view name, std::string_view value);
  // An optional attribute: left out when the value is empty.
  TElementLine& Optional(std::string_view name, std::string_view value);
  // The finished line, ending in "/>".
  std::string Line() const { return line_ + "/>"; }

 private:
  std::string line_;
};

}  // namespace app
