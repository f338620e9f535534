#include "workbook/formats/xlsx/xlsx_sheet_data_writer.h"

#include <charconv>

#include "platform/text_codec.h"
#include "workbook/core/xml/xml_text.h"

namespace workbook {

namespace {

// Whether a UTF-8 text holds nothing AppendXmlText would change (the attribute and number texts
// of the hot path: plain ASCII).
bool IsPlain(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x80 || c == '&' || c == '<' || c == '>' || c == '"') return false;
  }
  return true;
}

}  // namespace

void TXLSXSheetDataWriter::CloseStartTag() {
  if (!startTagOpen_) return;
  out_ += '>';
  startTagOpen_ = false;
}

void TXLSXSheetDataWriter::AppendText(std::string_view text, TXmlEscaping escaping) {
  if (IsPlain(text))
    out_ += text;
  else
    AppendXmlText(out_, platform::Utf8ToUtf16(text), escaping);
}

void TXLSXSheetDataWriter::StartElement(std::string_view name) {
  CloseStartTag();
  out_ += '<';
  out_ += name;
  open_.push_back(name);
  startTagOpen_ = true;
}

void TXLSXSheetDataWriter::WriteAttribute(std::string_view name, std::string_view value) {
  out_ += ' ';
  out_ += name;
  out_ += "=\"";
  AppendText(value, TXmlEscaping::Attribute);
  out_ += '"';
}

void TXLSXSheetDataWriter::WriteAttribute(std::string_view name, std::u16string_view value) {
  out_ += ' ';
  out_ += name;
  out_ += "=\"";
  AppendXmlText(out_, value, TXmlEscaping::Attribute);
  out_ += '"';
}

void TXLSXSheetDataWriter::WriteAttribute(std::string_view name, std::int64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  WriteAttribute(name, std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

void TXLSXSheetDataWriter::WriteString(std::u16string_view text) {
  CloseStartTag();
  AppendXmlText(out_, text, TXmlEscaping::Text);
}

void TXLSXSheetDataWriter::WriteElementString(std::string_view name, std::string_view text) {
  CloseStartTag();
  out_ += '<';
  out_ += name;
  out_ += '>';
  AppendText(text, TXmlEscaping::Text);
  out_ += "</";
  out_ += name;
  out_ += '>';
}

void TXLSXSheetDataWriter::WriteElementString(std::string_view name, std::u16string_view text) {
  CloseStartTag();
  out_ += '<';
  out_ += name;
  out_ += '>';
  AppendXmlText(out_, text, TXmlEscaping::Text);
  out_ += "</";
  out_ += name;
  out_ += '>';
}

void TXLSXSheetDataWriter::EndElement() {
  if (open_.empty()) return;
  if (startTagOpen_) {
    out_ += "/>";
    startTagOpen_ = false;
  } else {
    out_ += "</";
    out_ += open_.back();
    out_ += '>';
  }
  open_.pop_back();
}

}  // namespace workbook
