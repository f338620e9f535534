// The dxf list as the conditional-format rules use it.
#include "workbook/formats/xlsx/xlsx_style_sheet.h"

namespace workbook {

int TExporterXLSX_CondFormStyles::AddStyle(TColor fontColor, const TExportFontStyle& fontStyle,
                                           TColor fillColor) {
  // A workbook has few distinct rule formats: a search is enough.
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].FontColor == fontColor && items_[i].FontStyle == fontStyle &&
        items_[i].FillColor == fillColor)
      return static_cast<int>(i);
  items_.push_back({fontColor, fontStyle, fillColor});
  return Count() - 1;
}

void TExporterXLSX_CondFormStyles::GetStyle(int index, TColor& fontColor,
                                            TExportFontStyle& fontStyle, TColor& fillColor) const {
  const TExporterXLSX_CondFormStyle& style = items_.at(index);
  fontColor = style.FontColor;
  fontStyle = style.FontStyle;
  fillColor = style.FillColor;
}

}  // namespace workbook
