#pragma once
// TXLSXSheetDataWriter: the rows and cells of a worksheet's sheetData as XML text, appended to a
// string that the sheet writer hands on in large pieces. It is the XLSX export's hot path (one
// element or more per cell), so it writes the markup itself rather than through the XML
// library's text writer; every text goes through AppendXmlText.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/core/xml/xml_text.h"

namespace workbook {

class TXLSXSheetDataWriter {
 public:
  explicit TXLSXSheetDataWriter(std::string& out) : out_(out) {}

  // The name is kept until the element ends: a literal.
  void StartElement(std::string_view name);
  void WriteAttribute(std::string_view name, std::string_view value);
  void WriteAttribute(std::string_view name, std::u16string_view value);
  void WriteAttribute(std::string_view name, std::int64_t value);
  void WriteString(std::u16string_view text);
  // <name>text</name>, the end tag written even for an empty text.
  void WriteElementString(std::string_view name, std::string_view text);
  void WriteElementString(std::string_view name, std::u16string_view text);
  // Closes the open element, as <name/> when it got no content.
  void EndElement();

 private:
  void CloseStartTag();
  void AppendText(std::string_view text, TXmlEscaping escaping);

  std::string& out_;
  std::vector<std::string_view> open_;
  bool startTagOpen_ = false;
};

}  // namespace workbook
