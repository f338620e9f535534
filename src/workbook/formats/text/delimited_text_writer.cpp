#include <string>

#include "workbook/core/invariant_texts.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/exporter_registry.h"
#include "workbook/formats/text/text_exporter.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

// Progress is reported after this many cells, so the display never slows down a large sheet.
constexpr int kCellsPerProgress = 10000;

}  // namespace

void TExporterText::ExportToStream(TStream& stream, TWorkbook& workbook) {
  TCustomExporter::ExportToStream(stream, workbook);
  // The user may pick another sheet; whatever the answer, the active sheet is written.
  if (const TSelectWorkSheetFunc& select = GetSelectWorkSheetFunc()) select(workbook);
  workbook.DoProgress(wpsStart, 0, 1, WorkbookLng_Export);
  TTextWriter writer(stream, 8192, Encoding(), true);
  TExportWorkSheet& sheet = *workbook.GetActiveWorkSheet();
  workbook.DoProgress(wpsWorkSheet, 0, 1, sheet.Name);
  ExportSheet(sheet, writer);
  workbook.DoProgress(wpsWorkSheet, 1, 1, sheet.Name);
  workbook.DoProgress(wpsSaving, 0, 1, std::u16string());
  writer.Flush();
  workbook.DoProgress(wpsDone, 1, 1, std::u16string());
}

void TExporterText::ExportSheet(TExportWorkSheet& sheet, TTextWriter& writer) {
  const std::u16string quote = QuoteChar ? std::u16string(1, QuoteChar) : std::u16string();
  TWorkbook* workbook = sheet.GetWorkbook();
  std::u16string text;
  int counter = 1;
  for (int r = 0;; ++r) {
    sheet.PrepareRowWrite(*this, r);
    if (r >= sheet.Rows.Count()) break;
    if (TExportRow* row = sheet.Rows.PeekItem(r)) {
      const int count = row->Cells.Count();
      // 64-bit, so a span taken from a file cannot overflow the column index.
      for (long long c = 0; c < count; ++counter) {
        TExportCell* cell = row->Cells.PeekItem(c);  // untouched columns are empty cells
        long long span = 1;
        text.clear();
        if (cell) {
          cell->GetCSVText(QuoteChar, ReplaceLineBreaks, text, UseValueText);
          span = cell->ColSpan();
        }
        writer.Write(quote);
        writer.Write(text);
        writer.Write(quote);
        // A spanning cell stands for its columns; no separators trail the row's last cell.
        if (c + span < count)
          for (long long i = 0; i < span; ++i) writer.Write(Separator);
        c += span;
      }
    }
    writer.Write(LineBreak);
    if (counter > kCellsPerProgress && workbook) {
      if (sheet.OnAddRow)
        workbook->DoProgress(wpsRows, 1, 2, ISOIntToStr(sheet.Rows.Count()));
      else
        workbook->DoProgress(wpsRows, r, sheet.Rows.Count(), std::u16string());
      counter = 1;
    }
  }
  writer.Flush();
  if (workbook)
    workbook->DoProgress(wpsRows, sheet.Rows.Count(), sheet.Rows.Count(), std::u16string());
}

}  // namespace workbook
