#pragma once
// Hand-built BIFF8 workbook streams for the reader tests: the records of the globals and of each
// worksheet are given, the builder adds BOF, BOUNDSHEET (with the sheets' real offsets, which
// python3-xlrd follows) and EOF records and wraps the stream in a compound file.
#include <string>
#include <vector>

#include "biff_builder.h"

namespace xls_test {

struct TestSheet {
  std::u16string name;
  Bytes records;       // between the sheet's BOF and EOF
  bool chart = false;  // a chart sheet (BOF type 0x0020, BOUNDSHEET type 2)
};

Bytes Bof(std::uint16_t type, std::uint16_t version = 0x0600);
Bytes Eof();
// A FONT record of Arial 10 and an XF record naming a font and a number format.
Bytes ArialFont(std::uint16_t weight = 400);
Bytes CellXF(std::uint16_t font, std::uint16_t format);
// The globals a reader needs to classify cells: 5 fonts, 16 XFs of General (15 style, 1 cell).
Bytes StandardStyles();
// A FORMAT record with an 8-bit code.
Bytes Format(std::uint16_t id, const std::u16string& code);
// Cell records: row, column, XF, then the value.
Bytes Number(std::uint16_t row, std::uint16_t col, std::uint16_t xf, double value);
Bytes Label(std::uint16_t row, std::uint16_t col, const std::u16string& text, bool wide);
Bytes Formula(std::uint16_t row, std::uint16_t col, const Bytes& result);
Bytes FormulaNumber(double value);
// A non-numeric FORMULA result: type byte (0 text, 1 Boolean, 2 error, 3 empty) and value byte.
Bytes FormulaOther(std::uint8_t type, std::uint8_t value);
Bytes StringRecord(const std::u16string& text, bool wide);

// The "Workbook" stream: globals BOF, GlobalRecords, BOUNDSHEETs, EOF, then the worksheets.
Bytes WorkbookStream(const Bytes& globalRecords, const std::vector<TestSheet>& sheets);
// The stream in a compound file.
std::vector<std::uint8_t> XlsFile(const Bytes& workbookStream);

}  // namespace xls_test
