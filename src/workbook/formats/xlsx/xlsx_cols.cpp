// The SpreadsheetML cols and colBreaks elements read into the column list.
#include <algorithm>
#include <cstdint>

#include "workbook/core/invariant_texts.h"
#include "workbook/core/units.h"
#include "workbook/model/cols.h"
#include "workbook/model/limits.h"

namespace workbook {

namespace {

// Excel's widest column, in characters: larger widths from a file are taken as this.
constexpr double kMaxColWidthChars = 255;

// A 1-based column number from the file as a 0-based index within the sheet, or -1.
int ColIndex(const TXmlNode& node, std::string_view name) {
  const std::int64_t number = ISOStrToIntDef(node.Attr16(name), 0);
  return number >= 1 && number <= kMaxSheetCols ? static_cast<int>(number - 1) : -1;
}

// The width attribute in pixels, or -1 when it is missing or no number.
double WidthPixels(const TXmlNode& node, double charWidth) {
  double chars;
  if (!ISOTryStrToFloat(node.Attr16("width"), chars) || !(chars >= 0)) return -1;
  return std::min(chars, kMaxColWidthChars) * charWidth;
}

}  // namespace

void TExportCols::ReadXLSX(TXmlNode colsNode, double charWidth, const TXFApplier& applyXF) {
  for (TXmlNode node : colsNode.Elements("col")) {
    const int first = std::max(ColIndex(node, "min"), 0);
    const int last = ColIndex(node, "max");
    const std::int64_t xfIndex = ISOStrToIntDef(node.Attr16("style"), -1);
    const int xf = xfIndex >= 0 && xfIndex <= INT32_MAX ? static_cast<int>(xfIndex) : -1;
    if (last == kMaxSheetCols - 1) {
      DefaultWidth = WidthPixels(node, charWidth);
      ApplyDefaultStyle(xf, applyXF);
      continue;
    }
    if (last < first) continue;  // a missing, reversed or out-of-sheet range
    const std::u16string hiddenText = node.Attr16("hidden");
    const bool hidden = hiddenText == u"1" || hiddenText == u"true";
    const std::int64_t level = ISOStrToIntDef(node.Attr16("outlineLevel"), 0);
    // customWidth only tells that someone set the width by hand; the width is the column's
    // either way, as every spreadsheet program shows it.
    const double width = WidthPixels(node, charWidth);
    for (int index = first; index <= last; ++index) {
      TExportCol* col = GetCol(index);
      col->Hidden = hidden;
      col->SetOutlineLevel(static_cast<int>(std::clamp<std::int64_t>(level, 0, 7)));
      col->Width = width;
      if (xf >= 0 && applyXF) applyXF(xf, col->GetStyle());
    }
  }
}

void TExportCols::ReadXLSXColBreaks(TXmlNode colBreaksNode) {
  for (TXmlNode node : colBreaksNode.Elements()) {
    if (!XMLStrToBoolDef(node.Attr16("man"), false)) continue;
    const std::int64_t id = ISOStrToIntDef(node.Attr16("id"), -1);
    if (id >= 0 && id < kMaxSheetCols) GetCol(static_cast<int>(id))->PageBreak = true;
  }
}

}  // namespace workbook
