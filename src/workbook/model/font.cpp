#include "workbook/model/font.h"

#include "workbook/model/key_text.h"

namespace workbook {

void TExportFontStyle::Merge(const TExportFontStyle& source) {
  if (source.Bold != 0) Bold = source.Bold;
  if (source.Underline != 0) Underline = source.Underline;
  if (source.Italic != 0) Italic = source.Italic;
  if (source.StrikeOut != 0) StrikeOut = source.StrikeOut;
  if (source.VertPosition != 0) VertPosition = source.VertPosition;
}

bool TExportFontStyle::IsEmpty() const {
  return Bold == 0 && Underline == 0 && Italic == 0 && StrikeOut == 0 && VertPosition == 0;
}

std::uint8_t TExportFontStyle::GetFontStyles() const {
  std::uint8_t styles = 0;
  if (Bold == 1) styles |= fsBold;
  if (Italic == 1) styles |= fsItalic;
  if (Underline == 1 || Underline == 2) styles |= fsUnderline;
  if (StrikeOut == 1) styles |= fsStrikeOut;
  return styles;
}

void TExportFontStyle::SetFontStyles(std::uint8_t styles) {
  Bold = (styles & fsBold) ? 1 : 2;
  Underline = (styles & fsUnderline) ? 1 : 5;
  Italic = (styles & fsItalic) ? 1 : 2;
  StrikeOut = (styles & fsStrikeOut) ? 1 : 2;
  VertPosition = 3;
}

std::u16string TExportFontStyle::GetKeyString() const {
  std::u16string key;
  // Vertical position comes before strike-out; stored files of the style sheet rely on the order.
  for (std::uint8_t value : {Bold, Underline, Italic, VertPosition, StrikeOut}) {
    if (!key.empty()) key += u';';
    AppendKeyInt(key, value);
  }
  return key;
}

void TExportFont::Merge(const TExportFont& source) {
  if (source.size_ >= 0) size_ = source.size_;
  style_.Merge(source.style_);
  if (source.color_ != clNone) color_ = source.color_;
  if (!source.name_.empty()) name_ = source.name_;
}

std::u16string TExportFont::GetKeyString() const {
  std::u16string key;
  AppendKeyInt(key, size_);
  key += u';';
  key += style_.GetKeyString();
  key += u';';
  AppendKeyInt(key, color_);
  key += u';';
  key += name_;
  return key;
}

}  // namespace workbook
