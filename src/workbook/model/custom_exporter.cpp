#include "workbook/model/custom_exporter.h"

#include <algorithm>
#include <cmath>

#include "workbook/core/exceptions.h"
#include "workbook/core/float_routines.h"
#include "workbook/core/library_texts.h"
#include "workbook/model/font_metrics.h"
#include "workbook/model/measuring_hooks.h"
#include "workbook/model/row.h"
#include "workbook/model/workbook.h"
#include "workbook/model/worksheet.h"

namespace workbook {

TFindExporterForFileHook FindExporterForFileHook = nullptr;

void TCustomExporter::ExportToStream(TStream&, TWorkbook& workbook) {
  Workbook = &workbook;
  if (CharWidthHook == nullptr)
    throw EWorkbookException(
        u"The text-measuring routines are not installed: call StartWorkbookLibrary (or install\r\n"
        u"the windowing binding's measuring) before writing a workbook; see the library's notes.");
}

void TCustomExporter::ImportFromStream(TStream&, TWorkbook& workbook) {
  Workbook = &workbook;
  workbook.WorkSheets.Clear();
  // The file's content replaces the workbook's, its date system too: a file that does not name
  // the 1904 system counts from 1899-12-30, whatever the workbook held before.
  workbook.Date1904 = false;
}

bool TCustomExporter::FindFontMetrics(std::u16string_view fontName, const TFontMetrics*& entry) {
  for (const TFontMetrics& candidate : kFontMetricsTable) {
    if (fontName == candidate.Name) {
      entry = &candidate;
      return true;
    }
  }
  entry = &kFontMetricsTable[0];
  return false;
}

void TCustomExporter::CheckSheetLimits(TWorkbook& workbook, const std::u16string& tooLarge) const {
  const std::int64_t maxRows = GetMaxRowCount();
  const std::int64_t maxCols = GetMaxColCount();
  for (std::int64_t i = 0; i < workbook.WorkSheets.Count(); ++i) {
    TExportWorkSheet& sheet = *workbook.WorkSheets.GetItem(i);
    bool beyond = false;
    for (std::int64_t r = 0; r < sheet.Rows.Count() && !beyond; ++r) {
      const TExportRow* row = sheet.Rows.PeekItem(r);
      if (row == nullptr) continue;
      const std::int64_t first = r < maxRows ? maxCols : 0;
      for (std::int64_t c = first; c < row->Cells.Count() && !beyond; ++c)
        beyond = row->Cells.PeekItem(c) != nullptr;
    }
    if (beyond) throw EWorkbookFileException(FormatLibraryText(tooLarge, sheet.Name));
  }
}

double TCustomExporter::GetCellAutoHeight(TExportCell&, double) { return 0.0; }

int TCustomExporter::GetFontRowHeight(const TExportFont& font) {
  const int size = font.GetSize();
  int height = RoundHalfEven(size * 1.75);
  const TFontMetrics* entry = nullptr;
  if (size >= 1 && size <= kFontMetricsMaxSize && FindFontMetrics(font.GetName(), entry))
    height = std::max(RoundHalfEven(entry->Height[size - 1] * 1.124), height);
  if (font.GetStyle().VertPosition == 2) height = RoundHalfEven(height * 1.25);
  return height;
}

double TCustomExporter::GetDefaultColWidth(const TExportWorkSheet& sheet) {
  return sheet.Cols.DefaultWidth > 0 ? sheet.Cols.DefaultWidth : 80.0;
}

double TCustomExporter::GetDefaultRowHeightChecked(TExportWorkSheet& sheet, bool useStoredHeight,
                                                   bool& isFontHeight) {
  const double fontHeight = sheet.DefaultCellStyle
                                ? GetFontRowHeight(sheet.DefaultCellStyle->GetFont())
                                : GetFontRowHeight(TExportFontList::DefaultFont());
  const double stored = sheet.Rows.DefaultRowHeight;
  const double height = useStoredHeight && stored > 0 ? stored : fontHeight;
  isFontHeight = SameFloat(height, fontHeight);
  return height;
}

double TCustomExporter::GetDefaultRowHeight(TExportWorkSheet& sheet, bool useStoredHeight) {
  bool isFontHeight = false;
  return GetDefaultRowHeightChecked(sheet, useStoredHeight, isFontHeight);
}

}  // namespace workbook
