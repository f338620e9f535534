// Text measuring of cells for automatic column widths and row heights.
#include <algorithm>

#include "workbook/model/cell_string.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/measuring_hooks.h"
#include "workbook/model/rich_text.h"
#include "workbook/model/row.h"

namespace workbook {

namespace {

int TextWidth(std::u16string_view text, const TExportFont& font) {
  return TextWidthHook ? TextWidthHook(text, font) : 0;
}

}  // namespace

double TExportCell::CalcTextHeight(TCustomExporter&, double) {
  return TCustomExporter::GetFontRowHeight(GetFont());
}

int TExportCell::CalcTextWidth(TCustomExporter& exporter) {
  return TextWidth(GetDisplayText(), GetFont()) + exporter.GetCellWidthPadding();
}

int TExportCellString::CalcTextWidth(TCustomExporter& exporter) {
  if (!HasRichText()) return TExportCell::CalcTextWidth(exporter);
  TStringRichTextTagTextList runs;
  std::u16string scratch;
  GetRichTextTags().BuildTextList(value_.View(scratch), runs, false);
  int width = 0;
  for (int i = 0; i < runs.Count(); ++i) {
    const auto& run = runs.GetEntry(i);
    width += TextWidth(run.Text, run.Font ? *run.Font : GetFont());
  }
  if (runs.Count() > 1) width += (runs.Count() - 1) * exporter.GetRichTextRunSpacing();
  return width + exporter.GetCellWidthPadding();
}

double TExportCellString::CalcTextHeight(TCustomExporter& exporter, double columnWidth) {
  TExportRow* row = GetRow();
  if (GetStyle().GetWrapText() && RowSpan() == 1 && row &&
      (row->HeightMode == 1 || (row->HeightMode == 2 && ColSpan() == 1)))
    return exporter.GetCellAutoHeight(*this, columnWidth);
  double height = TCustomExporter::GetFontRowHeight(GetFont());
  if (HasRichText()) {
    TStringRichTextTagTextList runs;
    std::u16string scratch;
    GetRichTextTags().BuildTextList(value_.View(scratch), runs, false);
    for (int i = 0; i < runs.Count(); ++i)
      if (runs.GetEntry(i).Font)
        height =
            std::max<double>(height, TCustomExporter::GetFontRowHeight(*runs.GetEntry(i).Font));
  }
  return height;
}

}  // namespace workbook
