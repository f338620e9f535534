// Rows in SpreadsheetML: the row element's attributes and the row breaks.
#include <charconv>

#include "workbook/core/invariant_texts.h"
#include "workbook/core/xml/xml_node.h"
#include "workbook/core/xml/xml_writer.h"
#include "workbook/formats/xlsx/xlsx_sheet_data_writer.h"
#include "workbook/model/limits.h"
#include "workbook/model/row.h"

namespace workbook {

namespace {

bool IsTrue(std::string_view text) {
  return !text.empty() && (text[0] == '1' || text[0] == 'T' || text[0] == 't');
}

}  // namespace

void TExportRow::WriteXLSX(TXLSXSheetDataWriter& writer, double height, int styleIndex,
                           std::vector<int>& rowBreaks) const {
  writer.StartElement("row");
  if (style_) {
    writer.WriteAttribute("s", std::int64_t{styleIndex});
    writer.WriteAttribute("customFormat", "1");
  }
  if (height >= 0) {
    writer.WriteAttribute("ht", ISOFloatToStr(height * 0.75));
    if (HeightMode != 2) writer.WriteAttribute("customHeight", "1");
  }
  if (Hidden) writer.WriteAttribute("hidden", "1");
  if (OutlineLevel != 0) writer.WriteAttribute("outlineLevel", std::int64_t{OutlineLevel});
  if (PageBreak) rowBreaks.push_back(GetIndex());
  writer.WriteAttribute("r", std::int64_t{GetIndex()} + 1);
}

void TExportRows::ReadXLSXRowBreaks(const TXmlNode& node) {
  for (TXmlNode brk = node.FirstElement(); brk; brk = brk.NextElement()) {
    if (!IsTrue(brk.Attr("man"))) continue;
    std::string_view id = brk.Attr("id");
    int row = -1;
    auto result = std::from_chars(id.data(), id.data() + id.size(), row);
    // A break beyond the sheet, or no number at all, is damage to pass over, not to fail on.
    if (result.ec != std::errc() || result.ptr != id.data() + id.size() || row < 0 ||
        row >= kMaxSheetRows)
      continue;
    GetRow(row)->PageBreak = true;
  }
}

}  // namespace workbook
