#include "xls_workbook_builder.h"

#include <cstring>

#include "compound_file_builder.h"

namespace xls_test {

Bytes Bof(std::uint16_t type, std::uint16_t version) {
  return Record(0x0809, Join({Word(version), Word(type), Word(0x0DBB), Word(0x07CC), DWord(0x41),
                              DWord(0x06)}));
}

Bytes Eof() { return Record(0x000A, {}); }

Bytes ArialFont(std::uint16_t weight) {
  // 10 pt, no flags, automatic colour, the weight, no escapement, underline or charset, 8-bit name.
  return Record(0x0031, Join({FromHex("c800 0000 ff7f"), Word(weight),
                              FromHex("0000 0000 0000 0500"), Chars(u"Arial", false)}));
}

namespace {

// An XF record: font, number format, type and protection (0xFFF5 a style, 1 a locked cell), then
// alignment, borders and fill all at their defaults.
Bytes XF(std::uint16_t font, std::uint16_t format, std::uint16_t type) {
  return Record(0x00E0, Join({Word(font), Word(format), Word(type),
                              FromHex("2000 0000 00000000 00000000 c020")}));
}

}  // namespace

Bytes CellXF(std::uint16_t font, std::uint16_t format) { return XF(font, format, 0x0001); }

Bytes StandardStyles() {
  Bytes records;
  for (int i = 0; i < 5; ++i) Append(records, ArialFont());
  for (int i = 0; i < 15; ++i) Append(records, XF(0, 0, 0xFFF5));
  Append(records, CellXF(0, 0));
  return records;
}

Bytes Format(std::uint16_t id, const std::u16string& code) {
  return Record(
      0x041E,
      Join({Word(id), Word(static_cast<std::uint16_t>(code.size())), {0}, Chars(code, false)}));
}

Bytes Number(std::uint16_t row, std::uint16_t col, std::uint16_t xf, double value) {
  Bytes bits(8);
  std::memcpy(bits.data(), &value, 8);
  return Record(0x0203, Join({Word(row), Word(col), Word(xf), bits}));
}

Bytes Label(std::uint16_t row, std::uint16_t col, const std::u16string& text, bool wide) {
  return Record(0x0204, Join({Word(row),
                              Word(col),
                              Word(15),
                              Word(static_cast<std::uint16_t>(text.size())),
                              {static_cast<std::uint8_t>(wide ? 1 : 0)},
                              Chars(text, wide)}));
}

Bytes Formula(std::uint16_t row, std::uint16_t col, const Bytes& result) {
  // Options, 4 reserved bytes, then the tokens: ptgInt 1.
  return Record(
      0x0006,
      Join({Word(row), Word(col), Word(15), result, Word(0), DWord(0), Word(3), {0x1E}, Word(1)}));
}

Bytes FormulaNumber(double value) {
  Bytes bits(8);
  std::memcpy(bits.data(), &value, 8);
  return bits;
}

Bytes FormulaOther(std::uint8_t type, std::uint8_t value) {
  return {type, 0, value, 0, 0, 0, 0xFF, 0xFF};
}

Bytes StringRecord(const std::u16string& text, bool wide) {
  return Record(0x0207, Join({Word(static_cast<std::uint16_t>(text.size())),
                              {static_cast<std::uint8_t>(wide ? 1 : 0)},
                              Chars(text, wide)}));
}

Bytes WorkbookStream(const Bytes& globalRecords, const std::vector<TestSheet>& sheets) {
  auto boundSheet = [](std::uint32_t offset, const TestSheet& sheet) {
    const std::u16string& name = sheet.name;
    return Record(0x0085, Join({DWord(offset),
                                {0, static_cast<std::uint8_t>(sheet.chart ? 2 : 0)},
                                {static_cast<std::uint8_t>(name.size()), 1},
                                Chars(name, true)}));
  };
  // The BOUNDSHEET records' size does not depend on their offsets: measure, then fill them in.
  std::size_t offset = Bof(0x0005).size() + globalRecords.size() + Eof().size();
  for (const TestSheet& sheet : sheets) offset += boundSheet(0, sheet).size();
  Bytes stream = Join({Bof(0x0005), globalRecords});
  Bytes body;
  for (const TestSheet& sheet : sheets) {
    Append(stream, boundSheet(static_cast<std::uint32_t>(offset + body.size()), sheet));
    Append(body, Join({Bof(sheet.chart ? 0x0020 : 0x0010), sheet.records, Eof()}));
  }
  Append(stream, Eof());
  Append(stream, body);
  return stream;
}

std::vector<std::uint8_t> XlsFile(const Bytes& workbookStream) {
  return BuildCompoundFile({{u"Workbook", workbookStream}}).bytes;
}

}  // namespace xls_test
