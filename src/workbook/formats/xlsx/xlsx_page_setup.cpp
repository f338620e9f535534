// Page setup in SpreadsheetML: printOptions, pageMargins and pageSetup.
#include <algorithm>
#include <cstdint>
#include <string>

#include "workbook/core/invariant_texts.h"
#include "workbook/core/sheet_refs.h"
#include "workbook/core/units.h"
#include "workbook/model/page_setup.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

std::u16string Inches(double cm) { return ISOFloatToStr(CmToInch(cm)); }

bool Truth(const TXmlNode& node, std::string_view name) {
  return XMLStrToBoolDef(node.Attr16(name), false);
}

int ClampedInt(const TXmlNode& node, std::string_view name, int low, int high, int defaultValue) {
  return static_cast<int>(
      std::clamp<std::int64_t>(ISOStrToIntDef(node.Attr16(name), defaultValue), low, high));
}

// Margins beyond a metre are damage, not a page.
double MarginCm(double inches) { return std::clamp(InchToCm(inches), -100.0, 100.0); }

}  // namespace

void TExportPageSettings::WriteXLSX(TXmlNode sheetNode) const {
  if (Centering != 0 || PrintHeaders || PrintGridLines) {
    TXmlNode options = sheetNode.AddChild("printOptions");
    if (Centering & ctHorizontal) options.SetAttr("horizontalCentered", std::string_view("1"));
    if (Centering & ctVertical) options.SetAttr("verticalCentered", std::string_view("1"));
    if (PrintHeaders) options.SetAttr("headings", std::string_view("1"));
    if (PrintGridLines) options.SetAttr("gridLines", std::string_view("1"));
  }
  const double headerMargin = owner_ ? owner_->Header.Margin : 1.0;
  const double footerMargin = owner_ ? owner_->Footer.Margin : 1.0;
  TXmlNode margins = sheetNode.AddChild("pageMargins");
  margins.SetAttr("left", Inches(LeftMargin));
  margins.SetAttr("right", Inches(RightMargin));
  margins.SetAttr("top", Inches(TopMargin));
  margins.SetAttr("bottom", Inches(BottomMargin));
  margins.SetAttr("header", Inches(std::max(TopMargin - headerMargin, 0.0)));
  margins.SetAttr("footer", Inches(std::max(BottomMargin - footerMargin, 0.0)));
  TXmlNode setup = sheetNode.AddChild("pageSetup");
  if (Scale != 100) setup.SetAttr("scale", std::to_string(Scale));
  setup.SetAttr("orientation", std::string_view(Orientation == 1 ? "landscape" : "portrait"));
  setup.SetAttr("pageOrder", std::string_view(PageOrder == 0 ? "overThenDown" : "downThenOver"));
  setup.SetAttr("paperSize", std::string_view("9"));
  setup.SetAttr("fitToWidth", std::to_string(FitToWidth));
  setup.SetAttr("fitToHeight", std::to_string(FitToHeight));
  if (UseFirstPageNumber) {
    setup.SetAttr("firstPageNumber", std::to_string(static_cast<std::uint32_t>(FirstPageNumber)));
    setup.SetAttr("useFirstPageNumber", std::string_view("1"));
  }
}

void TExportPageSettings::ReadXLSXMargins(TXmlNode node) {
  double value;
  auto read = [&](std::string_view name) {
    return ISOTryStrToFloat(node.Attr16(name), value) && value == value;
  };
  if (read("left")) LeftMargin = MarginCm(value);
  if (read("right")) RightMargin = MarginCm(value);
  if (read("top")) TopMargin = MarginCm(value);
  if (read("bottom")) BottomMargin = MarginCm(value);
  if (!owner_) return;
  if (read("header")) owner_->Header.Margin = TopMargin - MarginCm(value);
  if (read("footer")) owner_->Footer.Margin = BottomMargin - MarginCm(value);
}

void TExportPageSettings::ReadXLSXPageSetup(TXmlNode node) {
  Scale = ClampedInt(node, "scale", 10, 400, 100);
  FitToWidth = ClampedInt(node, "fitToWidth", 0, 32767, 1);
  FitToHeight = ClampedInt(node, "fitToHeight", 0, 32767, 1);
  const std::string_view orientation = node.Attr("orientation");
  Orientation = !orientation.empty() && orientation[0] == 'l' ? 1 : 0;
  const std::string_view order = node.Attr("pageOrder");
  PageOrder = !order.empty() && order[0] == 'o' ? 0 : 1;
  UseFirstPageNumber = Truth(node, "useFirstPageNumber");
  if (UseFirstPageNumber) {
    const std::int64_t number = ISOStrToIntDef(node.Attr16("firstPageNumber"), 1);
    FirstPageNumber = static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
  } else {
    FirstPageNumber = 1;
  }
}

void TExportPageSettings::ReadXLSXPrintOptions(TXmlNode node) {
  Centering = 0;
  if (Truth(node, "horizontalCentered")) Centering |= ctHorizontal;
  if (Truth(node, "verticalCentered")) Centering |= ctVertical;
  PrintHeaders = Truth(node, "headings");
  PrintGridLines = Truth(node, "gridLines");
}

void TExportHeaders::WriteXLSX(TXmlNode node) const { node.SetText(BuildExcelString()); }

std::u16string TExportPageSettings::GetXLSXPrintArea() const {
  if (!HasPrintArea()) return std::u16string();
  TExportRange area;
  area.Assign(PrintArea);
  area.WorkSheet = owner_;
  return area.GetText();
}

std::u16string TExportPageSettings::GetXLSXPrintTitles() const {
  std::u16string text;
  if (TitleCols.HasCols())
    text = MakeSheetColRangeRef((owner_ ? owner_->Name : std::u16string()), TitleCols.Col,
                                TitleCols.ColCount);
  if (TitleRows.HasRows()) {
    if (!text.empty()) text += u',';
    text += MakeSheetRowRangeRef((owner_ ? owner_->Name : std::u16string()), TitleRows.Row,
                                 TitleRows.RowCount);
  }
  return text;
}

bool TExportPageSettings::ReadXLSXPrintArea(std::u16string_view reference) {
  TExportRange area(owner_);
  if (!area.ReadXLSXReference(reference)) return false;
  PrintArea.Assign(area);
  PrintArea.WorkSheet = owner_;
  return true;
}

void TExportPageSettings::ReadXLSXPrintTitles(std::u16string_view reference) {
  // Everything up to the first "!" is the sheet; the second part may repeat it.
  const std::size_t bang = reference.find(u'!');
  if (bang != std::u16string_view::npos) reference.remove_prefix(bang + 1);
  std::size_t split = reference.find(u',');
  if (split == std::u16string_view::npos) split = reference.find(u';');
  std::u16string_view first = reference.substr(0, split);
  std::u16string_view second;
  if (split != std::u16string_view::npos) {
    second = reference.substr(split + 1);
    const std::size_t secondBang = second.find(u'!');
    if (secondBang != std::u16string_view::npos) second.remove_prefix(secondBang + 1);
  }
  TExportRange one, two;
  const bool firstRead = !first.empty() && one.ReadXLSXReference(first);
  const bool secondRead = !second.empty() && two.ReadXLSXReference(second);
  // Titles may come rows first (as some writers put them): each part goes where it belongs.
  for (const TExportRange* part : {firstRead ? &one : nullptr, secondRead ? &two : nullptr}) {
    if (!part) continue;
    if (part->Col < 0 && part->Row >= 0) TitleRows.SetRows(part->Row, part->RowCount);
    if (part->Row < 0 && part->Col >= 0) TitleCols.SetCols(part->Col, part->ColCount);
  }
}

}  // namespace workbook
