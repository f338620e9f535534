#include "workbook/core/xml/xml_writer.h"

#include <libxml/xmlwriter.h>

#include "platform/text_codec.h"
#include "workbook/core/xml/xml_error.h"
#include "workbook/core/xml/xml_internal.h"
#include "workbook/core/xml/xml_text.h"

namespace workbook {

struct TXmlWriter::TOutput {
  TStream* stream = nullptr;
  std::string failure;
};

namespace {

int WriteOutput(void* context, const char* buffer, int length) {
  auto& output = *static_cast<TXmlWriter::TOutput*>(context);
  try {
    output.stream->WriteBuffer(buffer, static_cast<std::size_t>(length));
    return length;
  } catch (const std::exception& e) {
    output.failure = e.what();
    return -1;
  }
}

int CloseOutput(void*) { return 0; }

}  // namespace

TXmlWriter::TXmlWriter(TStream& stream) : output_(std::make_unique<TOutput>()) {
  output_->stream = &stream;
  xmlOutputBufferPtr buffer =
      xmlOutputBufferCreateIO(WriteOutput, CloseOutput, output_.get(), nullptr);
  if (!buffer) throw EXmlError(u"The XML writer could not be created.");
  writer_ = xmlNewTextWriter(buffer);
  if (!writer_) {
    xmlOutputBufferClose(buffer);
    throw EXmlError(u"The XML writer could not be created.");
  }
}

TXmlWriter::~TXmlWriter() {
  if (writer_) xmlFreeTextWriter(writer_);
}

void TXmlWriter::Check(int result, const char* what) {
  if (result >= 0) return;
  std::string text =
      output_->failure.empty() ? std::string("XML writer error: ") + what + "." : output_->failure;
  throw EXmlError(platform::Utf8ToUtf16(text));
}

const unsigned char* TXmlWriter::Name(std::string_view name) {
  name_.assign(name);
  return xml_internal::Xml(name_);
}

const unsigned char* TXmlWriter::Text(std::string_view text) {
  text_.clear();
  AppendXmlText(text_, text);
  return xml_internal::Xml(text_);
}

const unsigned char* TXmlWriter::Text(std::u16string_view text) {
  text_.clear();
  AppendXmlText(text_, text, TXmlEscaping::None);
  return xml_internal::Xml(text_);
}

void TXmlWriter::StartDocument(bool standalone) {
  Check(xmlTextWriterStartDocument(writer_, "1.0", "UTF-8", standalone ? "yes" : nullptr),
        "document start");
}

void TXmlWriter::EndDocument() { Check(xmlTextWriterEndDocument(writer_), "document end"); }

void TXmlWriter::StartElement(std::string_view name) {
  Check(xmlTextWriterStartElement(writer_, Name(name)), "element start");
}

void TXmlWriter::WriteAttribute(std::string_view name, std::string_view value) {
  Check(xmlTextWriterWriteAttribute(writer_, Name(name), Text(value)), "attribute");
}

void TXmlWriter::WriteAttribute(std::string_view name, std::u16string_view value) {
  Check(xmlTextWriterWriteAttribute(writer_, Name(name), Text(value)), "attribute");
}

void TXmlWriter::WriteString(std::string_view text) {
  if (!text.empty()) Check(xmlTextWriterWriteString(writer_, Text(text)), "text");
}

void TXmlWriter::WriteString(std::u16string_view text) {
  if (!text.empty()) Check(xmlTextWriterWriteString(writer_, Text(text)), "text");
}

void TXmlWriter::WriteElementString(std::string_view name, std::string_view text) {
  StartElement(name);
  WriteString(text);
  FullEndElement();
}

void TXmlWriter::WriteElementString(std::string_view name, std::u16string_view text) {
  StartElement(name);
  WriteString(text);
  FullEndElement();
}

void TXmlWriter::WriteRaw(std::string_view xml) {
  if (!xml.empty())
    Check(xmlTextWriterWriteRawLen(writer_, reinterpret_cast<const xmlChar*>(xml.data()),
                                   static_cast<int>(xml.size())),
          "raw text");
}

void TXmlWriter::EndElement() { Check(xmlTextWriterEndElement(writer_), "element end"); }

void TXmlWriter::FullEndElement() { Check(xmlTextWriterFullEndElement(writer_), "element end"); }

void TXmlWriter::Flush() { Check(xmlTextWriterFlush(writer_), "flush"); }

}  // namespace workbook
