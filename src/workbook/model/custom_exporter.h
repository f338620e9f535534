#pragma once
// TCustomExporter: one file format of the library. Every handler writes a workbook to a stream and
// reads a stream into a workbook; the registry (exporter_registry.h) holds one instance per format
// and picks it by file extension.
#include <string>
#include <string_view>
#include <vector>

#include "workbook/core/stream.h"
#include "workbook/model/font.h"

namespace workbook {

class TWorkbook;
class TExportWorkSheet;
class TExportCell;
struct TFontMetrics;

class TCustomExporter {
 public:
  TCustomExporter() = default;
  virtual ~TCustomExporter() = default;
  TCustomExporter(const TCustomExporter&) = delete;
  TCustomExporter& operator=(const TCustomExporter&) = delete;

  // Records the workbook; raises EWorkbookException while the text-measuring hooks are unset, so
  // nothing is written without them. Handlers call the base first.
  virtual void ExportToStream(TStream& stream, TWorkbook& workbook);
  // Records the workbook and frees all of its worksheets. Handlers call the base first.
  virtual void ImportFromStream(TStream& stream, TWorkbook& workbook);
  // Pixels added to a measured text width for automatic column widths.
  virtual int GetCellWidthPadding() const { return 0; }
  // Extra pixels per change of font within a text, where a format renders runs wider.
  virtual int GetRichTextRunSpacing() const { return 0; }
  // Text-metric height of a cell for automatic row heights.
  virtual double GetCellAutoHeight(TExportCell& cell, double width);
  virtual int GetMaxColCount() const { return 2147483647; }
  virtual int GetMaxRowCount() const { return 2147483647; }
  // Raises EWorkbookFileException with tooLarge (its "%s" the sheet's name) for the first sheet
  // that holds a cell beyond the format's last row or column: a writer calls it before it writes
  // anything, since leaving those cells out would lose them without a word.
  void CheckSheetLimits(TWorkbook& workbook, const std::u16string& tooLarge) const;

  // Exact-name lookup in the built-in font-metrics table; not found: entry is the first entry
  // ("Arial") and the result false.
  static bool FindFontMetrics(std::u16string_view fontName, const TFontMetrics*& entry);
  // Pixel height of a row holding text in font: sizes 1-70 of a family in the metrics table use
  // its line height, anything else 1.75 times the size; subscript adds a quarter.
  static int GetFontRowHeight(const TExportFont& font);
  // The sheet's default column width in pixels when it has one, else 80.
  static double GetDefaultColWidth(const TExportWorkSheet& sheet);
  // The sheet's default row height in pixels when it has one and useStoredHeight is set, else the
  // row height of its default style's font.
  static double GetDefaultRowHeight(TExportWorkSheet& sheet, bool useStoredHeight);
  // The same, also telling whether the result is the font's row height.
  static double GetDefaultRowHeightChecked(TExportWorkSheet& sheet, bool useStoredHeight,
                                           bool& isFontHeight);

  TWorkbook* Workbook = nullptr;  // the workbook of the running call; not owned
  std::u16string Description;
  // Lower case, without the dot; the first is the format's default extension.
  std::vector<std::u16string> Extensions;
};

// Picks the handler for a file by its extension; false when none claims it. The handlers are
// registered with the formats, a layer above the model, so the library's start-up installs this.
using TFindExporterForFileHook = bool (*)(std::u16string_view fileName, TCustomExporter*& exporter);
extern TFindExporterForFileHook FindExporterForFileHook;

}  // namespace workbook
