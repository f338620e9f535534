#pragma once
// The model's side of reading an XLS worksheet: each decoded cell becomes a cell of the worksheet,
// its class chosen by the value and, for numbers, by the number format of its XF.
#include <cstdint>
#include <vector>

#include "workbook/core/cell_refs.h"
#include "workbook/formats/cond_format_spread.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_sheet_reader.h"

namespace workbook {

class TWorkbook;
class TExportWorkSheet;
class TExportRow;
class TExporterXLSX_StyleSheet;
class TExporterXLSX_Palette;

class TXLSWorksheetCells : public IXLSSheetTarget {
 public:
  // charWidth: the width of a digit of the workbook's default font in pixels, which column
  // widths are counted in.
  TXLSWorksheetCells(TWorkbook& workbook, TExportWorkSheet& sheet, TExporterXLSX_StyleSheet& styles,
                     const TExporterXLSX_Palette& palette, double charWidth);
  void Cell(const TXLSCell& cell) override;
  void Row(const TXLSRowRecord& record) override;
  void DefaultRowHeight(std::uint16_t height) override;
  // Merges, columns, window, page setup and protection go to the sheet's model objects.
  void SheetRecord(TXLSRecordReader& reader) override;
  // Hands over the last row to the workbook's read-rows-by-event mode and reports the rows'
  // progress complete.
  void Finish();

 private:
  // A CF record: its rule goes to every cell of the ranges the CONDFMT record before it named.
  void ReadConditionalRule(TXLSRecordReader& reader);

  TWorkbook& workbook_;
  TExportWorkSheet& sheet_;
  TExporterXLSX_StyleSheet& styles_;
  const TExporterXLSX_Palette& palette_;
  double charWidth_;
  // WINDOW2 said the panes are frozen: only then does PANE count frozen rows and columns (an
  // unfrozen split counts twips).
  bool frozen_ = false;
  TExportRow* row_ = nullptr;
  int rowIndex_ = -1;
  int cellsSinceReport_ = 0;
  // The rows' progress runs up to this: the sheet's used height from DIMENSIONS when given.
  long long progressMax_ = xls_record::kRowCount;
  // Rows the row list was sized for from DIMENSIONS.
  std::int32_t reservedRows_ = 0;
  // The ranges of the last CONDFMT record, which its CF records apply to.
  std::vector<TCellRangeRef> condFormatRanges_;
  TCondFormatSpread condFormats_;
};

}  // namespace workbook
