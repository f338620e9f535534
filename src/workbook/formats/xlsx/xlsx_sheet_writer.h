#pragma once
// Writes one worksheet part of an XLSX package with the parts that belong to it (relationships,
// drawing, comments): the skeleton around sheetData is a document tree built from the sheet's
// settings and completed from what the rows reported (merges, links, rules, drawings, comments);
// the rows are streamed as text into memory parts of about 10,000 cells, and the memory-stream
// list joins the text before sheetData's marker, the rows and the text after it into the part.
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "workbook/core/xml/xml_document.h"
#include "workbook/formats/cell_write_context.h"
#include "workbook/formats/xlsx/xlsx_drawings.h"
#include "workbook/formats/xlsx/xlsx_force_range_styles.h"
#include "workbook/formats/xlsx/xlsx_hyperlinks.h"
#include "workbook/formats/xlsx/xlsx_memory_stream_list.h"
#include "workbook/formats/xlsx/xlsx_sheet_data_writer.h"
#include "workbook/model/sheet_pixel_grid.h"

namespace workbook {

class TCustomExporter;
class TExporterXLSX_StyleSheet;
class TXLSXSharedStrings_Export;
class TExportWorkSheet;
class TExportRow;
class TExportCell;
class TWorkbook;
class TZipArchive;
class TExporterXLSX_CommentsInWorkSheet;
struct TXLSXPackageContents;

// The calculation chain: cell reference and sheet number of every formula cell.
using TExporterXLSX_Chain = std::vector<std::pair<std::u16string, std::string>>;

class TXLSXSheetWriter : public ICellWriteContext {
 public:
  // contents collects the drawing and comments parts the sheets add, for the content types.
  TXLSXSheetWriter(TCustomExporter& exporter, TWorkbook& workbook, TExporterXLSX_StyleSheet& styles,
                   TXLSXSharedStrings_Export& sharedStrings, TExporterXLSX_Chain& chain,
                   TXLSXPackageContents& contents);
  ~TXLSXSheetWriter() override;

  // sheet index (0-based) as "xl/worksheets/sheet<index + 1>.xml" (and its relationships).
  void Write(TZipArchive& zip, TExportWorkSheet& sheet, int index);

  std::uint32_t SharedStringIndex(const TExportCellString& cell) override;
  void AddHyperlink(const std::u16string& ref, const std::u16string& target) override;
  void AddCalcChainItem(const std::u16string& ref) override;
  void AddConditionalFormatting(TExportConditionalFormatting& formatting) override;
  void AddDrawing(TExportCellDrawing& drawing) override;
  void AddComment(TExportCellComment& comment) override;

 private:
  static constexpr std::string_view kSheetDataMarker = "{96C15ADC-8247-42E4-A5CD-659EA20A8AC0}";
  static constexpr int kMaxColumns = 16384;
  static constexpr int kMaxRows = 1048576;

  // The elements of the skeleton the rows and the columns fill.
  struct TSkeleton {
    TXmlNode Root, Dimension, Cols, MergeCells, HyperLinks, RowBreaks, ColBreaks;
  };
  // The relationship ids the skeleton refers to ("" when the part is not written).
  struct TSheetRelIds {
    std::string Drawing, Vml;
  };

  // Rows (xlsx_sheet_writer.cpp).
  void ComputeSizes();
  double RowHeight(int rowIndex, const TExportRow& row) const;
  // Ends the rows' current memory part (when it holds any) and starts the next.
  void StartPart();
  void WriteRows();
  void WriteRow(int rowIndex, TExportRow* row);
  int CellXF(TExportCell& cell, bool rowStyled);
  // What tells unstyled cells' xfs apart: the class and the format code.
  static std::u16string UnstyledKey(const TExportCell& cell);
  // The styled empty cells the forced ranges still need in the row, from fromCol on; rowXF is
  // the row style's xf, -1 when the row has no style.
  void CompleteRow(int rowIndex, int fromCol, int rowXF);
  int ColumnXF(int col);
  void WriteEmptyCell(int col, int row, int xf);
  // The skeleton and the parts beside the sheet (xlsx_sheet_skeleton.cpp).
  void BuildSkeleton();
  void CompleteSkeleton(const TSheetRelIds& ids);
  void WriteColumns();
  TSheetRelIds WriteRelationships(TZipArchive& zip);
  static void SetBreakCount(TXmlNode breaks);

  TCustomExporter& exporter_;
  TWorkbook& workbook_;
  TExporterXLSX_StyleSheet& styles_;
  TXLSXSharedStrings_Export& sharedStrings_;
  TExporterXLSX_Chain& chain_;
  TXLSXPackageContents& contents_;

  // Per sheet.
  TExportWorkSheet* sheet_ = nullptr;
  int index_ = 0;
  int defaultXF_ = 0;
  std::unique_ptr<TXmlDocument> document_;
  TSkeleton skeleton_;
  // The rows' XML, handed to a memory part about every 10,000 cells.
  std::string rowsXML_;
  TXLSXSheetDataWriter writer_{rowsXML_};
  std::unique_ptr<TExporterXLSX_MemoryStreamList> parts_;
  long long partCells_ = 0;
  int maxCellCount_ = 0;
  int rowCount_ = 0;
  TSheetPixelGrid grid_;
  TExporterXLSX_ForceRangeStyles forceRanges_;
  std::vector<std::u16string> merges_;
  std::unique_ptr<TExporterXLSX_HyperLinks> hyperlinks_;
  std::vector<int> rowBreaks_;
  // Cells with rules or drawings are never freed while the sheet is written, so these stay valid.
  std::vector<TExportConditionalFormatting*> conditionalFormats_;
  TExporterXLSX_Drawings drawings_;
  std::unique_ptr<TExporterXLSX_CommentsInWorkSheet> comments_;
  // xf of cells without a style of their own in unstyled rows, by class and format code: such
  // cells look alike, and making each one's style would cost time and memory per cell.
  std::unordered_map<std::u16string, int> unstyledXFs_;
};

}  // namespace workbook
