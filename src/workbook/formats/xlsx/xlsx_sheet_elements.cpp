#include "workbook/formats/xlsx/xlsx_sheet_elements.h"

#include <algorithm>
#include <array>
#include <optional>

#include "workbook/core/cell_refs.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/units.h"
#include "workbook/formats/xlsx/xlsx_namespaces.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/merged_ranges.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

constexpr std::array<std::string_view, 15> kReadElements = {
    "sheetPr",         "sheetViews", "sheetFormatPr", "cols",         "autoFilter",
    "mergeCells",      "hyperlinks", "printOptions",  "pageMargins",  "pageSetup",
    "sheetProtection", "rowBreaks",  "colBreaks",     "headerFooter", "conditionalFormatting"};
constexpr std::array<std::string_view, 5> kListElements = {"cols", "mergeCells", "hyperlinks",
                                                           "rowBreaks", "colBreaks"};

// The areas of an sqref ("A1:B2 D4"), each a cell or a range.
std::vector<TCellRangeRef> SqrefAreas(std::u16string_view sqref) {
  std::vector<TCellRangeRef> areas;
  while (!sqref.empty()) {
    const std::size_t blank = sqref.find(u' ');
    const std::u16string_view area = sqref.substr(0, blank);
    TCellRangeRef ref;
    if (!area.empty() && ParseCellRangeRef(area, ref)) {
      if (ref.Col1 > ref.Col2) std::swap(ref.Col1, ref.Col2);
      if (ref.Row1 > ref.Row2) std::swap(ref.Row1, ref.Row2);
      areas.push_back(ref);
    }
    if (blank == std::u16string_view::npos) break;
    sqref.remove_prefix(blank + 1);
  }
  return areas;
}

// Excel's widest column, in characters.
constexpr double kMaxColWidthChars = 255;

}  // namespace

TXLSXSheetElements::TXLSXSheetElements(TExportWorkSheet& sheet,
                                       TExporterXLSX_StyleSheet& styleSheet, double charWidth,
                                       const IThemeColors* theme, const IColorPalette* palette,
                                       TXLSXHyperlinkTargets hyperlinks)
    : sheet_(sheet),
      styleSheet_(styleSheet),
      charWidth_(charWidth),
      theme_(theme),
      palette_(palette),
      hyperlinks_(std::move(hyperlinks)),
      condFormats_(sheet) {}

bool TXLSXSheetElements::IsRead(std::string_view localName) {
  return std::find(kReadElements.begin(), kReadElements.end(), localName) != kReadElements.end();
}

bool TXLSXSheetElements::IsList(std::string_view localName) {
  return std::find(kListElements.begin(), kListElements.end(), localName) != kListElements.end();
}

void TXLSXSheetElements::Read(TXmlNode element) {
  const std::string_view name = element.LocalName();
  if (name == "sheetPr") {
    sheet_.PageSettings.FitToPage =
        sheet_.WindowSettings.ReadXLSXSheetPr(element, theme_, palette_);
  } else if (name == "sheetViews") {
    if (TXmlNode view = element.Child("sheetView")) sheet_.WindowSettings.ReadXLSX(view);
  } else if (name == "sheetFormatPr") {
    ReadSheetFormat(element);
  } else if (name == "cols") {
    TExporterXLSX_StyleSheet& styles = styleSheet_;
    sheet_.Cols.ReadXLSX(element, charWidth_, [&styles](int xf, TExportCellStyle& style) {
      styles.ApplyStyle(xf, style, nullptr);
    });
  } else if (name == "autoFilter") {
    sheet_.WindowSettings.ReadXLSXAutoFilter(element);
  } else if (name == "mergeCells") {
    ReadXLSXMergeCells(sheet_, element);
  } else if (name == "hyperlinks") {
    ReadHyperlinks(element);
  } else if (name == "printOptions") {
    sheet_.PageSettings.ReadXLSXPrintOptions(element);
  } else if (name == "pageMargins") {
    sheet_.PageSettings.ReadXLSXMargins(element);
  } else if (name == "pageSetup") {
    sheet_.PageSettings.ReadXLSXPageSetup(element);
  } else if (name == "sheetProtection") {
    sheet_.Protection.ReadXLSX(element);
  } else if (name == "rowBreaks") {
    sheet_.Rows.ReadXLSXRowBreaks(element);
  } else if (name == "colBreaks") {
    sheet_.Cols.ReadXLSXColBreaks(element);
  } else if (name == "headerFooter") {
    ReadHeaderFooter(element);
  } else if (name == "conditionalFormatting") {
    ReadConditionalFormatting(element);
  }
}

void TXLSXSheetElements::ReadSheetFormat(TXmlNode element) {
  double width = 0;
  if (element.HasAttr("defaultColWidth")) {
    if (ISOTryStrToFloat(element.Attr16("defaultColWidth"), width) && width >= 0 &&
        width <= kMaxColWidthChars)
      sheet_.Cols.DefaultWidth = width * charWidth_;
  } else {
    if (!ISOTryStrToFloat(element.Attr16("baseColWidth"), width) || width < 0 ||
        width > kMaxColWidthChars)
      width = 8;
    sheet_.Cols.DefaultWidth = width * 8;
  }
  double height = 0;
  if (XMLStrToBoolDef(element.Attr16("customHeight"), false) &&
      ISOTryStrToFloat(element.Attr16("defaultRowHeight"), height) && height > 0 && height < 1e6)
    sheet_.Rows.DefaultRowHeight = height / 0.75;
}

void TXLSXSheetElements::ReadHyperlinks(TXmlNode element) {
  for (TXmlNode link : element.Elements("hyperlink")) {
    std::optional<std::string_view> id = link.FindAttrNS("id", kXLSXRelationshipsNS);
    if (!id) id = link.FindAttrNS("id", kXLSXStrictRelationshipsNS);
    if (!id) continue;  // a place inside the workbook
    const auto target = hyperlinks_.find(std::string(*id));
    if (target == hyperlinks_.end() || target->second.empty()) continue;
    TCellRangeRef ref;
    if (!ParseCellRangeRef(link.Attr16("ref"), ref)) continue;
    TExportCell* cell = sheet_.FindCreateCell(
        std::min(ref.Col1, ref.Col2), std::min(ref.Row1, ref.Row2), TCellClass::String, false);
    if (auto* text = dynamic_cast<TExportCellString*>(cell)) text->SetHyperlink(target->second);
  }
}

void TXLSXSheetElements::ReadHeaderFooter(TXmlNode element) {
  if (TXmlNode header = element.Child("oddHeader")) sheet_.Header.ParseExcelString(header.Text16());
  if (TXmlNode footer = element.Child("oddFooter")) sheet_.Footer.ParseExcelString(footer.Text16());
}

void TXLSXSheetElements::ReadConditionalFormatting(TXmlNode element) {
  if (!element.FirstElement()) return;
  TExportConditionalFormatting rules(nullptr);
  rules.ReadXLSX(element, styleSheet_.CondFormStyles());
  condFormats_.Apply(SqrefAreas(element.Attr16("sqref")), rules.Rules, false);
}

void ReadXLSXMergeCells(TExportWorkSheet& sheet, TXmlNode mergeCellsNode) {
  for (TXmlNode node : mergeCellsNode.Elements("mergeCell")) {
    TCellRangeRef ref;
    if (ParseCellRangeRef(node.Attr16("ref"), ref, true))
      ApplyMergedRange(sheet, ref.Col1, ref.Row1, ref.Col2, ref.Row2);
  }
}

}  // namespace workbook
