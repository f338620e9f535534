#pragma once
// Writes one worksheet part of an XLSX package: the skeleton around sheetData as a document tree,
// the rows streamed into memory parts of about 10,000 cells, all joined by a memory-stream list
// when the part goes into the zip package.
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "workbook/core/xml/xml_document.h"
#include "workbook/formats/xlsx/xlsx_force_range_styles.h"
#include "workbook/formats/xlsx/xlsx_memory_stream_list.h"
#include "workbook/model/cell_write_context.h"

namespace workbook {

class TCustomExporter;
class TExporterXLSX_StyleSheet;
class TXLSXSharedStrings_Export;
class TExportWorkSheet;
class TExportRow;
class TExportCell;
class TWorkbook;
class TXmlWriter;
class TZipArchive;

// The calculation chain: cell reference and sheet number of every formula cell.
using TExporterXLSX_Chain = std::vector<std::pair<std::u16string, std::string>>;

class TXLSXSheetWriter : public TCellWriteContext {
 public:
  TXLSXSheetWriter(TCustomExporter& exporter, TWorkbook& workbook, TExporterXLSX_StyleSheet& styles,
                   TXLSXSharedStrings_Export& sharedStrings, TExporterXLSX_Chain& chain);
  ~TXLSXSheetWriter() override;

  // Sheet Index (0-based) as "xl/worksheets/sheet<Index + 1>.xml" (and its relationships).
  void Write(TZipArchive& zip, TExportWorkSheet& sheet, int index);

  std::uint32_t SharedStringIndex(const TExportCellString& cell) override;
  void AddHyperlink(const std::u16string& ref, const std::u16string& target) override;
  void AddCalcChainItem(const std::u16string& ref) override;
  void AddConditionalFormatting(TExportConditionalFormatting& formatting) override;

 private:
  void BuildSkeleton(TXmlDocument& document);
  void StartPart();
  void WriteRows();
  void WriteRow(int rowIndex, TExportRow* row);
  int CellXF(TExportCell& cell, bool rowStyled);
  void CompleteRow(int rowIndex, int fromCol, int rowXF);
  void WriteEmptyCell(int col, int row, int xf);
  void WriteColumns(TXmlNode cols);
  void WriteRelationships(TZipArchive& zip);
  TXmlNode Child(const char* name);

  TCustomExporter& exporter_;
  TWorkbook& workbook_;
  TExporterXLSX_StyleSheet& styles_;
  TXLSXSharedStrings_Export& sharedStrings_;
  TExporterXLSX_Chain& chain_;

  // Per sheet.
  TExportWorkSheet* sheet_ = nullptr;
  int index_ = 0;
  int defaultXF_ = 0;
  std::unique_ptr<TXmlDocument> document_;
  TXmlNode root_;
  std::unique_ptr<TExporterXLSX_MemoryStreamList> parts_;
  std::unique_ptr<TMemoryStream> partBuffer_;
  std::unique_ptr<TStream> partStream_;  // the compression wrapper, when used
  std::unique_ptr<TXmlWriter> writer_;
  long long partCells_ = 0;
  int maxCellCount_ = 0;
  int rowCount_ = 0;
  TExporterXLSX_ForceRangeStyles forceRanges_;
  std::vector<std::u16string> hyperlinks_;
  std::vector<int> rowBreaks_;
  std::vector<TExportConditionalFormatting*> conditionalFormats_;
  int mergeCount_ = 0;
  // xf of cells without a style of their own in unstyled rows, by class and format code: such
  // cells look alike, and making each one's style would cost time and memory per cell.
  std::unordered_map<std::u16string, int> unstyledXFs_;
};

}  // namespace workbook
