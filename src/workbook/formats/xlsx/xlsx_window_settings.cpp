// Sheet views, sheet properties and the auto-filter in SpreadsheetML.
#include <algorithm>
#include <string>

#include "workbook/core/cell_refs.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/sheet_refs.h"
#include "workbook/core/xlsx_colors.h"
#include "workbook/model/limits.h"
#include "workbook/model/window_settings.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

std::string Decimal(long long value) { return std::to_string(value); }

// An integer attribute clamped to low..high; defaultValue when absent or no number.
int IntAttr(const TXmlNode& node, std::string_view name, int low, int high, int defaultValue) {
  const std::int64_t value = ISOStrToIntDef(node.Attr16(name), defaultValue);
  return static_cast<int>(std::clamp<std::int64_t>(value, low, high));
}

// The first area of an sqref ("A1 C3:D4" selects two areas).
std::u16string FirstArea(std::u16string text) {
  const std::size_t blank = text.find(u' ');
  return blank == std::u16string::npos ? text : text.substr(0, blank);
}

}  // namespace

void TExportWindowSplit::WriteXLSX(TXmlNode sheetViewNode) const {
  if (!IsSplit()) return;
  TXmlNode pane = sheetViewNode.AddChild("pane");
  pane.SetAttr("xSplit", Decimal(Col));
  pane.SetAttr("ySplit", Decimal(Row));
  pane.SetAttr("topLeftCell", MakeCellRangeRef(Col, Row));
  pane.SetAttr("state", std::string_view("frozen"));
}

void TExportWindowSplit::ReadXLSX(TXmlNode sheetViewNode) {
  for (TXmlNode pane : sheetViewNode.Elements("pane")) {
    const std::string_view state = pane.Attr("state");
    if (state != "frozen" && state != "frozenSplit" && !state.empty()) continue;
    Col = IntAttr(pane, "xSplit", 0, kMaxSheetCols - 1, 0);
    Row = IntAttr(pane, "ySplit", 0, kMaxSheetRows - 1, 0);
    return;
  }
}

void TExportWindowSettings::WriteXLSX(TXmlNode sheetViewsNode) const {
  TXmlNode view = sheetViewsNode.AddChild("sheetView");
  if (Zoom != 100) view.SetAttr("zoomScale", Decimal(Zoom));
  if (!ShowGridLines) view.SetAttr("showGridLines", std::string_view("0"));
  if (!ShowRowColHeaders) view.SetAttr("showRowColHeaders", std::string_view("0"));
  if (TopLeftCell.Col != 0 || TopLeftCell.Row != 0)
    view.SetAttr("topLeftCell", TopLeftCell.GetText());
  view.SetAttr("workbookViewId", std::string_view("0"));
  Split.WriteXLSX(view);
  if (!Split.IsSplit()) {
    TXmlNode selection = view.AddChild("selection");
    selection.SetAttr("activeCell",
                      MakeCellRangeRef(std::max(Selection.Col, 0), std::max(Selection.Row, 0)));
    selection.SetAttr("sqref", Selection.GetSqrefText());
  }
}

void TExportWindowSettings::ReadXLSX(TXmlNode sheetViewNode) {
  Split.ReadXLSX(sheetViewNode);
  ShowGridLines = sheetViewNode.Attr("showGridLines") != "0";
  ShowRowColHeaders = sheetViewNode.Attr("showRowColHeaders") != "0";
  if (sheetViewNode.HasAttr("topLeftCell"))
    TopLeftCell.SetText(sheetViewNode.Attr16("topLeftCell"));
  if (TXmlNode selection = sheetViewNode.Child("selection")) {
    if (selection.HasAttr("sqref")) {
      Selection.ReadXLSXReferenceLimits(FirstArea(selection.Attr16("sqref")));
    } else if (selection.HasAttr("activeCell")) {
      Selection.ReadXLSXReference(selection.Attr16("activeCell"));
    }
  }
  // Spreadsheet programs zoom from 10% to 400%.
  Zoom = IntAttr(sheetViewNode, "zoomScale", 10, 400, 100);
}

void TExportWindowSettings::WriteXLSXSheetPr(TXmlNode sheetPrNode, bool fitToPage) const {
  if (TabColor != clNone)
    sheetPrNode.AddChild("tabColor").SetAttr("rgb", ColorToARGBHex(TabColor, true));
  TXmlNode outline = sheetPrNode.AddChild("outlinePr");
  outline.SetAttr("summaryBelow", std::string_view(SummaryRowsAbove ? "0" : "1"));
  outline.SetAttr("summaryRight", std::string_view(SummaryColsLeft ? "0" : "1"));
  if (fitToPage) sheetPrNode.AddChild("pageSetUpPr").SetAttr("fitToPage", std::string_view("1"));
}

bool TExportWindowSettings::ReadXLSXSheetPr(TXmlNode sheetPrNode, const IThemeColors* theme,
                                            const IColorPalette* palette) {
  if (TXmlNode outline = sheetPrNode.Child("outlinePr")) {
    SummaryRowsAbove = outline.Attr("summaryBelow") == "0";
    SummaryColsLeft = outline.Attr("summaryRight") == "0";
  }
  if (TXmlNode tab = sheetPrNode.Child("tabColor")) TabColor = ReadXLSXColor(tab, theme, palette);
  TXmlNode setup = sheetPrNode.Child("pageSetUpPr");
  const std::u16string fit = setup ? setup.Attr16("fitToPage") : std::u16string();
  return !fit.empty() && (fit[0] == u'1' || fit[0] == u'T' || fit[0] == u't');
}

void TExportWindowSettings::WriteXLSXAutoFilter(TXmlNode sheetNode) const {
  if (!HasAutoFilter()) return;
  sheetNode.AddChild("autoFilter")
      .SetAttr("ref", MakeCellRangeRef(AutoFilter.Col, AutoFilter.Row, AutoFilter.ColCount, false,
                                       AutoFilter.RowCount));
}

void TExportWindowSettings::ReadXLSXAutoFilter(TXmlNode autoFilterNode) {
  if (AutoFilter.ReadXLSXReference(autoFilterNode.Attr16("ref"))) AutoFilter.WorkSheet = owner_;
}

std::u16string TExportWindowSettings::GetXLSXAutoFilterRef() const {
  return MakeSheetRangeRef(owner_ ? owner_->Name : std::u16string(), AutoFilter.Col, AutoFilter.Row,
                           TRefAbsolute::All(true), AutoFilter.ColCount, AutoFilter.RowCount);
}

}  // namespace workbook
