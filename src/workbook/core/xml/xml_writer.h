#pragma once
// TXmlWriter: the streaming XML writer, for parts too large to build as a tree (worksheet rows,
// shared strings, ODS content). It writes UTF-8 straight into a stream, escaping what XML needs
// escaped and leaving out characters XML cannot carry.
#include <memory>
#include <string>
#include <string_view>

#include "workbook/core/stream.h"

struct _xmlTextWriter;

namespace workbook {

class TXmlWriter {
 public:
  // Writes into stream at its position; the stream is not owned.
  explicit TXmlWriter(TStream& stream);
  // Flushes what is buffered (Flush reports failures; the destructor cannot).
  ~TXmlWriter();
  TXmlWriter(const TXmlWriter&) = delete;
  TXmlWriter& operator=(const TXmlWriter&) = delete;

  // <?xml version="1.0" encoding="UTF-8" standalone="yes"?> (standalone left out when false).
  void StartDocument(bool standalone = true);
  // Closes every open element.
  void EndDocument();

  void StartElement(std::string_view name);
  void WriteAttribute(std::string_view name, std::string_view value);
  void WriteAttribute(std::string_view name, std::u16string_view value);
  void WriteString(std::string_view text);
  void WriteString(std::u16string_view text);
  void WriteElementString(std::string_view name, std::string_view text);
  void WriteElementString(std::string_view name, std::u16string_view text);
  // Bytes written as they are (already well-formed XML).
  void WriteRaw(std::string_view xml);
  // Closes the open element, as <a/> when it got no content.
  void EndElement();
  // Closes the open element with an end tag even when it is empty.
  void FullEndElement();
  void Flush();

  // Where the bytes go (defined with the writer's code).
  struct TOutput;

 private:
  void Check(int result, const char* what);
  const unsigned char* Name(std::string_view name);
  const unsigned char* Text(std::string_view text);
  const unsigned char* Text(std::u16string_view text);

  std::unique_ptr<TOutput> output_;
  _xmlTextWriter* writer_ = nullptr;
  std::string name_;
  std::string text_;
};

}  // namespace workbook
