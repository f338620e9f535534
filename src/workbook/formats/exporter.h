#pragma once
// TCustomExporter: one file format of the library. Every handler writes a workbook to a stream and
// reads a stream into a workbook; the registry (exporter_registry.h) holds one instance per format
// and picks it by file extension.
#include <string>
#include <vector>

#include "workbook/model/font.h"

namespace workbook {

class TStream;
class TWorkbook;
class TExportWorkSheet;
class TExportCell;

class TCustomExporter {
 public:
  TCustomExporter() = default;
  virtual ~TCustomExporter() = default;
  TCustomExporter(const TCustomExporter&) = delete;
  TCustomExporter& operator=(const TCustomExporter&) = delete;

  // Stores the workbook; raises EWorkbookException while the text-measuring hooks are unset, so
  // nothing is written without them. Handlers call the base first.
  virtual void ExportToStream(TStream& stream, TWorkbook& workbook);
  // Stores the workbook and frees its worksheets. Handlers call the base first.
  virtual void ImportFromStream(TStream& stream, TWorkbook& workbook);
  // Pixels added to a measured cell text for automatic column widths.
  virtual int GetCellWidthPadding() const { return 0; }
  // Pixels added per rich-text run boundary when a string cell is measured.
  virtual int GetRichTextRunSpacing() const { return 0; }
  // Text-metric height of a cell for automatic row heights.
  virtual double GetCellAutoHeight(TExportCell& cell, double width);
  virtual int GetMaxColCount() const { return 2147483647; }
  virtual int GetMaxRowCount() const { return 2147483647; }

  const std::u16string& GetDescription() const { return Description; }
  // Lower case, without the dot; the first one is the default extension.
  const std::vector<std::u16string>& GetExtensions() const { return Extensions; }
  TWorkbook* GetWorkbook() const { return Workbook; }

  // Pixel height of a row holding text in Font (size 1-70 from the metrics table, else 1.75 times
  // the size; a quarter more for subscript).
  static int GetFontRowHeight(const TExportFont& font);

 protected:
  TWorkbook* Workbook = nullptr;
  std::u16string Description;
  std::vector<std::u16string> Extensions;
};

}  // namespace workbook
