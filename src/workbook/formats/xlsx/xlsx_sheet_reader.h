#pragma once
// One worksheet part read with the sequential reader, row by row: the sheet is never held as a
// tree, and a row's cells go straight into the model.
#include <cstdint>
#include <string>
#include <unordered_map>

#include "workbook/core/stream.h"
#include "workbook/formats/xlsx/xlsx_shared_strings.h"

namespace workbook {

class TXmlReader;
class TWorkbook;
class TExportWorkSheet;
class TExportRow;
class TExporterXLSX_StyleSheet;

class TXLSXSheetReader {
 public:
  TXLSXSheetReader(TWorkbook& workbook, TExporterXLSX_StyleSheet& styleSheet,
                   const TXLSXSharedStrings_Import& sharedStrings, const TXLSXColorSources& colors);

  // Reads the part into Sheet. Rows beyond 1048576 and columns beyond 16384 raise
  // EWorkbookFileException; malformed XML raises EXmlError.
  void Read(TStream& part, TExportWorkSheet& sheet);

 private:
  // A shared formula's master cell.
  struct TSharedFormula {
    std::u16string Formula;
    int Col = 0;
    int Row = 0;
  };
  enum class TValueType { Number, SharedString, InlineString, String, Boolean, Error, Date };

  void ReadSheetFormat(TXmlReader& reader, TExportWorkSheet& sheet);
  void ReadSheetData(TXmlReader& reader, TExportWorkSheet& sheet);
  TExportRow& ReadRowStart(TXmlReader& reader, TExportWorkSheet& sheet);
  void ReadCell(TXmlReader& reader, TExportRow& row, int rowIndex);

  TWorkbook& workbook_;
  TExporterXLSX_StyleSheet& styleSheet_;
  const TXLSXSharedStrings_Import& sharedStrings_;
  TXLSXColorSources colors_;
  std::unordered_map<std::int64_t, TSharedFormula> sharedFormulas_;
  std::int64_t partSize_ = 0;
  int cellsSinceReport_ = 0;
  // Reused for every cell, so reading a cell allocates nothing but the cell.
  std::string value_;
  std::string formula_;
};

}  // namespace workbook
