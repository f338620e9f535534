#include "workbook/core/xml/xml_internal.h"

#include "platform/text_codec.h"
#include "workbook/core/xml/xml_error.h"

namespace workbook::xml_internal {

void TErrorCollector::Record(const xmlError* error) {
  if (!error || error->level < XML_ERR_ERROR) return;
  // The first fatal error explains the failure best; lesser errors are kept until one comes.
  bool isFatal = error->level == XML_ERR_FATAL;
  if (fatal || (!message.empty() && !isFatal)) return;
  fatal = isFatal;
  std::string text = error->message ? error->message : "unknown error";
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  message = "XML error";
  if (error->line > 0)
    message +=
        " at line " + std::to_string(error->line) + ", column " + std::to_string(error->int2);
  message += ": " + text + ".";
}

void TErrorCollector::Throw(const char* fallback) const {
  throw EXmlError(platform::Utf8ToUtf16(message.empty() ? std::string(fallback) : message));
}

void CollectError(void* collector, xmlErrorPtr error) {
  static_cast<TErrorCollector*>(collector)->Record(error);
}

}  // namespace workbook::xml_internal
