#pragma once
// The base of every file-format handler: one instance per format lives in the registry
// (exporter_registry.h) and writes a workbook to a stream or reads a stream into one.
#include <string>
#include <vector>

#include "workbook/core/stream.h"

namespace workbook {

class TWorkbook;

class TCustomExporter {
 public:
  TCustomExporter() = default;
  virtual ~TCustomExporter() = default;
  TCustomExporter(const TCustomExporter&) = delete;
  TCustomExporter& operator=(const TCustomExporter&) = delete;

  // Handlers call the base first: it records the workbook of this call.
  virtual void ExportToStream(TStream& stream, TWorkbook& workbook);
  // Handlers call the base first: it records the workbook and frees all of its worksheets.
  virtual void ImportFromStream(TStream& stream, TWorkbook& workbook);
  // Pixels added to a measured text width for automatic column widths.
  virtual int GetCellWidthPadding() const { return 0; }
  // Pixels added per rich-text run boundary when a string cell is measured.
  virtual int GetRichTextRunSpacing() const { return 0; }
  virtual int GetMaxColCount() const { return 2147483647; }
  virtual int GetMaxRowCount() const { return 2147483647; }

  TWorkbook* Workbook = nullptr;
  std::u16string Description;
  // Lower case, without the dot; the first is the format's default extension.
  std::vector<std::u16string> Extensions;
};

}  // namespace workbook
