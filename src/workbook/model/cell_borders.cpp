#include "workbook/model/cell_borders.h"

#include "workbook/model/key_text.h"

namespace workbook {

void TExportCellBorder::Merge(const TExportCellBorder& source) {
  if (source.Style != kNotSet) Style = source.Style;
  if (source.Color != clNone) Color = source.Color;
}

void TExportCellBorder::MergeVisible(const TExportCellBorder& source) {
  if (source.IsVisible()) Style = source.Style;
  if (source.Color != clNone) Color = source.Color;
}

std::u16string TExportCellBorder::GetKeyString() const {
  std::u16string key;
  AppendKeyInt(key, Style);
  key += u';';
  AppendKeyInt(key, Color);
  return key;
}

void TExportCellBorders::Merge(const TExportCellBorders& source) {
  for (int i = 0; i < kLineCount; ++i) lines_[i].Merge(source.lines_[i]);
}

void TExportCellBorders::MergeVisible(const TExportCellBorders& source) {
  for (int i = 0; i < kLineCount; ++i) lines_[i].MergeVisible(source.lines_[i]);
}

std::u16string TExportCellBorders::GetKeyString() const {
  std::u16string key;
  for (const TExportCellBorder& line : lines_) {
    if (!key.empty()) key += u';';
    key += line.GetKeyString();
  }
  return key;
}

}  // namespace workbook
