#include "workbook/formats/xls/xls_exporter.h"

#include <vector>

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/xls/ole_storage.h"
#include "workbook/formats/xls/xls_file_reader.h"
#include "workbook/formats/xls/xls_names.h"
#include "workbook/formats/xls/xls_worksheet_cells.h"
#include "workbook/formats/xls/xls_writer.h"
#include "workbook/formats/xlsx/xlsx_memory_stream_list.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/model/workbook.h"
#include "workbook/model/worksheet.h"

namespace workbook {

TCustomExporterXLS::TCustomExporterXLS() {
  Description = u"Excel 97, 2000, XP";
  Extensions = {u"xls", u"xlt"};
}

void TCustomExporterXLS::ExportToStream(TStream& stream, TWorkbook& workbook) {
  TCustomExporter::ExportToStream(stream, workbook);
  workbook.DoProgress(wpsStart, 0, 1, WorkbookLng_Export);
  TExporterXLSX_MemoryStreamList records;
  XLSWriteWorkbookStream(records, workbook, *this);
  workbook.DoProgress(wpsSaving, 0, 1, u"");
  records.SetPosition(0);
  TOleStorage::WriteStorage(stream, records, u"Workbook");
  workbook.DoProgress(wpsDone, 1, 1, u"");
}

void TCustomExporterXLS::ImportFromStream(TStream& stream, TWorkbook& workbook) {
  TCustomExporter::ImportFromStream(stream, workbook);
  workbook.FontList.Clear();
  workbook.BordersList.Clear();
  workbook.DoProgress(wpsStart, 0, 1, WorkbookLng_Import);
  workbook.DoProgress(wpsLoading, 0, 1, u"");

  TExporterXLSX_StyleSheet styles(workbook, false);
  TXLSFileReader reader(stream, workbook.FontList, styles, workbook.CellBlocks);
  workbook.Date1904 = reader.Globals().Date1904();

  std::vector<bool> readFlags;
  for (const std::u16string& name : reader.Globals().WorksheetNames()) {
    TExportWorkSheet* sheet = workbook.AddWorkSheet(name);
    if (sheet->DefaultCellStyle) styles.ApplyStyle(0, *sheet->DefaultCellStyle, nullptr);
    bool read = true;
    workbook.DoBeforeWorkSheetRead(*sheet, read);
    readFlags.push_back(read);
  }

  // The names are read before the cells, whose formulas may use them, and again after them.
  TXLSNames names(workbook);
  const std::int64_t namePosition = reader.Globals().NamePosition();
  if (namePosition != 0)
    names.Read(reader.Stream(), namePosition, reader.Globals().ExternSheets(), false);
  // Name tokens of the cells' formulas resolve through the file's own name list.
  const IRPNNameSource* formulaNames = workbook.FormulaNames;
  workbook.FormulaNames = &names;
  struct TRestoreNames {
    TWorkbook& workbook;
    const IRPNNameSource* names;
    ~TRestoreNames() { workbook.FormulaNames = names; }
  } restoreNames{workbook, formulaNames};

  // Without a measuring hook (no GUI) column widths are counted with the digit width of the
  // usual default fonts (Arial 10, Calibri 11).
  const int measured = workbook.GetDefaultCharWidth();
  const double charWidth = measured > 0 ? measured : 7;

  // Worksheet substreams are matched to the worksheet list by their order.
  const long long count = static_cast<long long>(readFlags.size());
  for (std::size_t i = 0; i < readFlags.size(); ++i) {
    TExportWorkSheet* sheet = workbook.WorkSheets.GetItem(static_cast<std::int64_t>(i));
    workbook.DoProgress(wpsWorkSheet, static_cast<long long>(i), count, sheet->Name);
    TXLSWorksheetCells cells(workbook, *sheet, styles, reader.Globals().Palette(), charWidth);
    // A listed worksheet whose records are missing means the file was cut short.
    if (!reader.ReadNextWorksheet(readFlags[i] ? &cells : nullptr))
      throw EWorkbookFileException(WorkbookLng_InvalidXLS);
    if (readFlags[i]) cells.Finish();
  }
  workbook.DoProgress(wpsWorkSheet, count, count, u"");
  if (namePosition != 0)
    names.Read(reader.Stream(), namePosition, reader.Globals().ExternSheets(), true);
  workbook.DoProgress(wpsDone, 1, 1, u"");
}

}  // namespace workbook
