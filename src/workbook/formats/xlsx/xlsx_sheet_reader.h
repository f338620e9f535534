#pragma once
// One worksheet part, parsed as it is inflated: elements go straight into the model row by row,
// so neither the part's bytes nor a tree of it is ever held whole. The cells (sheetData) go
// through the hand-written scanner, the elements around them through libxml2.
#include <cstdint>
#include <string>
#include <unordered_map>

#include "workbook/core/xml/xml_sax_tree.h"
#include "workbook/core/xml/xml_scanning_parser.h"
#include "workbook/formats/xlsx/xlsx_rich_string.h"
#include "workbook/formats/xlsx/xlsx_shared_strings.h"

namespace workbook {

class TWorkbook;
class TExportWorkSheet;
class TExportRow;
class TExporterXLSX_StyleSheet;
class TXLSXSheetElements;

class TXLSXSheetReader final : public IXmlSaxHandler {
 public:
  // colors: those of inline strings' run fonts.
  TXLSXSheetReader(TWorkbook& workbook, TExporterXLSX_StyleSheet& styleSheet,
                   TXLSXSharedStrings_Import& sharedStrings, const TXLSXColorSources& colors);

  // Starts a sheet; then the part's bytes are written to Parser(), then Finish() ends it. Rows
  // beyond 1048576 and columns beyond 16384 raise EWorkbookFileException; malformed XML raises
  // EXmlError. partSize is the part's inflated size, for progress. The elements around the cells
  // go to elements as small trees (none are read without it; none after the cells when the
  // workbook reads rows by event).
  void Begin(TExportWorkSheet& sheet, std::int64_t partSize,
             TXLSXSheetElements* elements = nullptr);
  TStream& Parser() { return *parser_; }
  void Finish();

  void StartElement(std::string_view localName, std::string_view namespaceURI,
                    const TXmlSaxAttributes& attributes) override;
  void EndElement(std::string_view localName, std::string_view namespaceURI) override;
  void Characters(std::string_view text) override;

 private:
  // A shared formula's master cell.
  struct TSharedFormula {
    std::u16string Formula;
    int Col = 0;
    int Row = 0;
  };
  enum class TValueType { Number, SharedString, InlineString, String, Boolean, Error, Date };
  // What one c element holds, gathered until its end tag.
  struct TCellData {
    int Col = 0;
    TValueType Type = TValueType::Number;
    std::int64_t Xf = 0;
    bool HasValue = false;
    bool HasInline = false;
    bool SharedFormula = false;
    std::int64_t SharedIndex = -1;
    std::string Value;
    std::string Formula;
    std::u16string Inline;
    TXLSXRichTextRuns InlineRuns;
  };

  void StartRow(const TXmlSaxAttributes& attributes);
  void StartCell(const TXmlSaxAttributes& attributes);
  void EndCell();
  // The gathered cell's formula, a shared one's shifted to the cell (and a master recorded);
  // empty when it has none.
  std::u16string CellFormula();
  void Capture(std::string* target) {
    capture_ = target;
    captureDepth_ = depth_;
  }

  TWorkbook& workbook_;
  TExporterXLSX_StyleSheet& styleSheet_;
  TXLSXSharedStrings_Import& sharedStrings_;
  TXLSXRichStringReader inline_;
  std::unique_ptr<TXmlScanningParser> parser_;
  TExportWorkSheet* sheet_ = nullptr;
  TXLSXSheetElements* elements_ = nullptr;
  // The element around the cells being gathered, and its depth (0: none).
  TXmlSaxTree tree_;
  int treeDepth_ = 0;
  bool treeIsList_ = false;  // its items are read one by one
  TExportRow* row_ = nullptr;
  std::unordered_map<std::int64_t, TSharedFormula> sharedFormulas_;
  std::int64_t partSize_ = 0;
  int cellsSinceReport_ = 0;

  // Depths (root 1) of the elements being read; 0 while outside them.
  int depth_ = 0;
  int sheetDataDepth_ = 0;
  int rowDepth_ = 0;
  int cellDepth_ = 0;
  int inlineDepth_ = 0;
  bool sheetDataDone_ = false;
  std::string* capture_ = nullptr;
  int captureDepth_ = 0;
  // Reused for every cell, so reading a cell allocates nothing but the cell.
  TCellData cell_;
};

}  // namespace workbook
