#pragma once
// The text a streaming XML writer produces for one fragment (without the final line break).
#include <functional>
#include <string>

#include "workbook/core/stream.h"
#include "workbook/core/xml/xml_writer.h"

namespace workbook::test {

inline std::string WriterText(const std::function<void(TXmlWriter&)>& write) {
  TMemoryStream stream;
  {
    TXmlWriter writer(stream);
    write(writer);
    writer.EndDocument();
  }
  std::string text(static_cast<std::size_t>(stream.Size()), '\0');
  stream.SetPosition(0);
  stream.ReadBuffer(text.data(), text.size());
  while (!text.empty() && text.back() == '\n') text.pop_back();  // the document's end
  return text;
}

}  // namespace workbook::test
