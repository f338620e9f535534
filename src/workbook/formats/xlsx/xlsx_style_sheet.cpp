#include "workbook/formats/xlsx/xlsx_style_sheet.h"

#include <algorithm>
#include <climits>

#include "workbook/core/enum_names.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/units.h"
#include "workbook/formats/xlsx/xlsx_color.h"
#include "workbook/formats/xlsx/xlsx_palette.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_style.h"
#include "workbook/model/load_budget.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

// Numbers of a style entry; anything that is no number reads as 0.
std::int32_t IntAttr(TXmlNode node, std::string_view name, std::int32_t defaultValue = 0) {
  if (!node.FindAttr(name)) return defaultValue;
  const std::int64_t value = ISOStrToIntDef(node.Attr16(name), 0);
  return value < INT32_MIN || value > INT32_MAX ? 0 : static_cast<std::int32_t>(value);
}

bool BoolAttr(TXmlNode node, std::string_view name, bool defaultValue) {
  return XMLStrToBoolDef(node.Attr16(name), defaultValue);
}

// The colour of a fill's pattern in the foreground form: none, the gray-125 marker, or the
// pattern's foreground colour (its background colour when it names no foreground).
TColor ReadFillColor(TXmlNode fill, const IThemeColors* theme, const IColorPalette* palette) {
  TXmlNode pattern = fill.Child("patternFill");
  if (!pattern) return clNone;
  const std::string_view type = pattern.Attr("patternType");
  if (type == "none") return clNone;
  if (type == "gray125") return clGray125Fill;
  TXmlNode color = pattern.Child("fgColor");
  if (!color) color = pattern.Child("bgColor");
  return ReadXLSXColor(color, theme, palette);
}

TExporterXLSX_Style ReadXf(TXmlNode xf) {
  TExporterXLSX_Style style;
  style.NumFmtId = IntAttr(xf, "numFmtId");
  style.FontIndex = IntAttr(xf, "fontId");
  style.FillIndex = IntAttr(xf, "fillId");
  style.BorderIndex = IntAttr(xf, "borderId");
  if (BoolAttr(xf, "applyAlignment", false)) {
    if (TXmlNode alignment = xf.Child("alignment")) {
      style.HAlignment = static_cast<std::uint8_t>(XLSXToHAlign(alignment.Attr16("horizontal")));
      style.VAlignment = static_cast<std::uint8_t>(XLSXToVAlign(alignment.Attr16("vertical")));
      style.Indent = static_cast<std::uint8_t>(std::clamp(IntAttr(alignment, "indent"), 0, 255));
      style.Wrap = BoolAttr(alignment, "wrapText", false) ? 1 : 0;
      const std::int32_t rotation = IntAttr(alignment, "textRotation");
      style.Rotation =
          static_cast<std::uint8_t>(rotation == 255 ? 255 : std::clamp(rotation, 0, 180));
      style.VerticalText = style.Rotation == 255 ? 1 : 0;
    }
  }
  if (BoolAttr(xf, "applyProtection", false)) {
    if (TXmlNode protection = xf.Child("protection")) {
      if (BoolAttr(protection, "hidden", false)) style.Protection |= TExportCellStyle::cpHidden;
      if (!BoolAttr(protection, "locked", true)) style.Protection &= ~TExportCellStyle::cpLocked;
    }
  }
  return style;
}

}  // namespace

int TExporterXLSX_Fills::AddColor(TColor color) {
  for (std::size_t i = 0; i < colors_.size(); ++i)
    if (colors_[i] == color) return static_cast<int>(i);
  colors_.push_back(color);
  return Count() - 1;
}

TColor TExporterXLSX_Fills::GetColor(int index) const {
  return index >= 0 && index < Count() ? colors_[static_cast<std::size_t>(index)] : clNone;
}

TExporterXLSX_StyleSheet::TExporterXLSX_StyleSheet(TWorkbook& workbook, bool writing)
    : workbook_(workbook) {
  if (!writing) {
    fills_.Clear();
    return;
  }
  // xf 0 is the default format; its key is no cell style's key, so cells never get it.
  TExporterXLSX_Style defaultStyle;
  defaultStyle.NumFmtId = 0;
  defaultStyle.BorderIndex = workbook_.BordersList.Add(TExportCellBorders());
  styles_.push_back(defaultStyle);
  styleFormats_.push_back(numberFormats_.FindById(0));
  styleKeys_.Append(u"<<<default>>>");
}

void TExporterXLSX_StyleSheet::ReadXLSX(TZipArchive& zip, const IThemeColors* theme,
                                        TExporterXLSX_Palette& palette) {
  std::unique_ptr<TMemoryStream> part;
  std::int64_t size = 0;
  if (!zip.ExtractToMemoryStream(u"xl/styles.xml", part, size)) return;
  TXmlDocument styles;
  styles.LoadFromStream(*part);
  ReadStyles(styles, theme, palette);
}

void TExporterXLSX_StyleSheet::ReadStyles(TXmlDocument& styles, const IThemeColors* theme,
                                          TExporterXLSX_Palette& palette) {
  TXmlNode root = styles.DocumentElement();
  if (!root) return;
  if (TXmlNode indexed = root.FindPath("colors/indexedColors")) palette.LoadIndexedColors(indexed);
  const TExporterXLSX_PaletteColors colors(palette);

  numberFormats_.ResetBuiltIns();
  for (TXmlNode format : root.FindPath("numFmts").Elements("numFmt")) {
    std::u16string code = format.Attr16("formatCode");
    ChargeNumberFormat(code);
    numberFormats_.Add(IntAttr(format, "numFmtId"), std::move(code));
  }

  if (TXmlNode fonts = root.FindPath("fonts")) workbook_.FontList.ReadXLSX(fonts, theme, &colors);

  fills_.Clear();
  for (TXmlNode fill : root.FindPath("fills").Elements("fill")) {
    TWorkbookLoadBudget::ChargeBytes(sizeof(TColor));
    fills_.Append(ReadFillColor(fill, theme, &colors));
  }

  if (TXmlNode borders = root.FindPath("borders"))
    workbook_.BordersList.ReadXLSX(borders, theme, &colors);

  styles_.clear();
  looks_.clear();
  for (TXmlNode xf : root.FindPath("cellXfs").Elements("xf")) {
    ChargeStyle();
    styles_.push_back(ReadXf(xf));
  }
  styleFormats_.assign(styles_.size(), nullptr);
  for (std::size_t i = 0; i < styles_.size(); ++i)
    styleFormats_[i] = numberFormats_.FindById(styles_[i].NumFmtId);

  condFormStyles_.Clear();
  for (TXmlNode dxf : root.FindPath("dxfs").Elements("dxf")) {
    TExporterXLSX_CondFormStyle style;
    if (TXmlNode font = dxf.Child("font")) {
      style.FontStyle.ReadXLSX(font);
      style.FontColor = ReadXLSXColor(font.Child("color"), theme, &colors);
    }
    if (TXmlNode pattern = dxf.FindPath("fill/patternFill")) {
      TXmlNode color = pattern.Child("bgColor");
      if (!color) color = pattern.Child("fgColor");
      style.FillColor = ReadXLSXColor(color, theme, &colors);
    }
    TWorkbookLoadBudget::ChargeBytes(sizeof(TExporterXLSX_CondFormStyle));
    condFormStyles_.Append(style);
  }
}

void TExporterXLSX_StyleSheet::ChargeNumberFormat(const std::u16string& code) {
  // Held with its code twice (in the entry and in the code table).
  TWorkbookLoadBudget::ChargeBytes(static_cast<std::int64_t>(sizeof(TExporterXLSX_NumberFormat) +
                                                             2 * sizeof(std::u16string) +
                                                             2 * code.size() * sizeof(char16_t)));
}

void TExporterXLSX_StyleSheet::ChargeStyle() {
  // An xf read is held with its number format's place.
  TWorkbookLoadBudget::ChargeBytes(sizeof(TExporterXLSX_Style) + sizeof(void*));
}

TExporterXLSX_NumberFormat* TExporterXLSX_StyleSheet::NumberFormatOf(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= styleFormats_.size()) return nullptr;
  return styleFormats_[static_cast<std::size_t>(index)];
}

void TExporterXLSX_StyleSheet::ApplyNumberFormat(int index, TExportCell& cell) {
  TExporterXLSX_NumberFormat* format = NumberFormatOf(index);
  // General (format 0, no code, "General") shows a number as it is, with no fixed decimals, and
  // is written back as General.
  static const TNumberFormatRec kGeneral;
  if (format == nullptr || format->IsGeneral()) return cell.ImportNumberFormat(kGeneral);
  cell.SetInternedFormatCode(format->InternedCode());
  cell.ImportNumberFormat(format->Format());
}

void TExporterXLSX_StyleSheet::ApplyStyle(int index, TExportCellStyle& style, TExportCell* cell) {
  if (index < 0 || index >= StyleCount()) return;
  if (cell != nullptr) ApplyNumberFormat(index, *cell);
  const TExporterXLSX_Style& xf = styles_[static_cast<std::size_t>(index)];
  style.SetFontIndex(xf.FontIndex);
  style.SetBordersIndex(xf.BorderIndex);
  style.SetAlignment(xf.HAlignment);
  style.SetVAlignment(xf.VAlignment);
  style.SetIndent(xf.Indent);
  style.SetWrapText(xf.Wrap != 0);
  int rotation = 0;
  bool stacked = false;
  XLSToRotation(xf.Rotation, rotation, stacked);
  style.SetRotation(static_cast<std::int8_t>(rotation));
  style.SetVerticalText(stacked ? 1 : 0);
  style.SetProtection(xf.Protection);
  if (xf.FillIndex >= 0 && xf.FillIndex < fills_.Count())
    style.SetBGColor(fills_.GetColor(xf.FillIndex));
}

void TExporterXLSX_StyleSheet::ApplyCellFormat(int index, TExportCell& cell) {
  // An xf the file lacks leaves the sheet's default style, which costs the cell nothing.
  if (index != 0 && index < StyleCount() && !LooksLikeDefault(index))
    return ApplyStyle(index, cell.GetStyle(), &cell);
  ApplyNumberFormat(index, cell);
  cell.UseSheetDefaultStyle();
}

bool TExporterXLSX_StyleSheet::SameFont(int a, int b) const {
  // Writers often give the cells a font of their own equal to the default style's.
  if (a == b) return true;
  const TExportFont* first = workbook_.FontList.GetItem(a);
  const TExportFont* second = workbook_.FontList.GetItem(b);
  return first != nullptr && second != nullptr && first->GetKeyString() == second->GetKeyString();
}

bool TExporterXLSX_StyleSheet::LooksLikeDefault(int index) {
  if (index < 0 || index >= StyleCount()) return false;
  const auto at = static_cast<std::size_t>(index);
  if (at >= looks_.size()) looks_.resize(at + 1, TLook::Unknown);
  if (looks_[at] == TLook::Unknown) {
    const TExporterXLSX_Style& a = styles_[0];
    const TExporterXLSX_Style& b = styles_[at];
    const bool same = SameFont(a.FontIndex, b.FontIndex) && a.FillIndex == b.FillIndex &&
                      a.BorderIndex == b.BorderIndex && a.HAlignment == b.HAlignment &&
                      a.Indent == b.Indent && a.VAlignment == b.VAlignment && a.Wrap == b.Wrap &&
                      a.VerticalText == b.VerticalText && a.Rotation == b.Rotation &&
                      a.Protection == b.Protection;
    looks_[at] = same ? TLook::Default : TLook::Own;
  }
  return looks_[at] == TLook::Default;
}

TCellClass TExporterXLSX_StyleSheet::GetCellClass(int index) {
  TExporterXLSX_NumberFormat* format = NumberFormatOf(index);
  return format != nullptr ? format->CellClass() : TCellClass::Number;
}

}  // namespace workbook
