#pragma once
// One worksheet's BIFF8 substream: the frame records (page setup, view, protection, columns)
// around the rows and cells, then merges, conditional formats and hyperlinks.
#include <string>

#include "workbook/core/stream.h"

namespace workbook {

class TCustomExporter;
class TExportWorkSheet;
class TExporterXLSX_StyleSheet;
class TExporterXLSX_Palette;
class TXLSSharedStrings_Export;
class TXLSSheetStreams;

struct TXLSSheetWriteContext {
  TCustomExporter& Exporter;
  TExporterXLSX_StyleSheet& Styles;
  TExporterXLSX_Palette& Palette;
  TXLSSharedStrings_Export& SharedStrings;
  // The width of a digit of the workbook's default font in pixels: BIFF8 column widths count in
  // 1/256 of it.
  double CharWidth;
  // The sheet's default column width in pixels.
  double DefaultColWidth;
};

// Writes the substream of sheet (BOF to EOF) as the next worksheet of streams, cut into a new
// stream every 10,000 cells; index 0 is the workbook's selected sheet.
void XLSWriteWorksheet(TXLSSheetStreams& streams, TExportWorkSheet& sheet, int index,
                       TXLSSheetWriteContext& context);

}  // namespace workbook
