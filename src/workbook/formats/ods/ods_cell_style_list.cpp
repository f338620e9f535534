// The "ce" cell styles and "P" paragraph styles of an ODS export.
#include "platform/text_codec.h"
#include "workbook/core/color.h"
#include "workbook/core/enum_names.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/formats/ods/ods_conditional_formatting.h"
#include "workbook/formats/ods/ods_style_registries.h"
#include "workbook/model/cell.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

std::u16string Num(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

void WriteBorders(const TExportCellBorders& borders, const TXmlNode& properties) {
  using B = TExportCellBorders;
  const TExportCellBorder& left = borders.GetBorder(B::bLeft);
  if (left == borders.GetBorder(B::bTop) && left == borders.GetBorder(B::bBottom) &&
      left == borders.GetBorder(B::bRight)) {
    left.WriteODS(properties, "fo:border");
  } else {
    left.WriteODS(properties, "fo:border-left");
    borders.GetBorder(B::bTop).WriteODS(properties, "fo:border-top");
    borders.GetBorder(B::bRight).WriteODS(properties, "fo:border-right");
    borders.GetBorder(B::bBottom).WriteODS(properties, "fo:border-bottom");
  }
  borders.GetBorder(B::bDiagonalDown).WriteODS(properties, "style:diagonal-tl-br");
  borders.GetBorder(B::bDiagonalUp).WriteODS(properties, "style:diagonal-bl-tr");
}

void WriteCellProperties(const TExportCellStyle& style, const TXmlNode& properties) {
  if (style.GetProtection() != TExportCellStyle::cpLocked)
    properties.SetAttr("style:cell-protect", CellProtectionToODS(style.GetProtection()));
  properties.SetAttr("style:vertical-align", VAlignToODS(style.GetVAlignment()));
  properties.SetAttr("fo:wrap-option", WrapToODS(style.GetWrapText()));
  if (style.GetAlignment() == TExportCellStyle::haFill)
    properties.SetAttr("style:repeat-content", "true");
  if (style.GetVAlignment() == TExportCellStyle::vaDistributed)
    properties.SetAttr("style:vertical-justify", "distribute");
  if (style.GetBGColor() != clNone)
    properties.SetAttr("fo:background-color", u"#" + ColorToARGBHex(style.GetBGColor(), false));
  if (style.GetVerticalText() != 0) {
    properties.SetAttr("style:direction", "ttb");
  } else if (style.GetRotation() != 0) {
    // OpenDocument angles run counter-clockwise from 0 to 359.
    properties.SetAttr("style:rotation-angle", Num((style.GetRotation() + 360) % 360));
    properties.SetAttr("style:rotation-align", "none");
  }
  WriteBorders(style.GetBorders(), properties);
}

}  // namespace

std::u16string TExportCellStyle::GetODSKeyString(std::u16string_view formatCode,
                                                 std::u16string_view conditionalFormattingKey) {
  std::u16string key = GetKeyString(formatCode);
  key += conditionalFormattingKey;
  return key;
}

std::u16string TExporterODS_CellStyles::Add(TExportCellStyle& style, TExportCell* cell,
                                            const std::u16string& numberStyle) {
  TExportConditionalFormatting* formatting = cell ? cell->ConditionalFormattingIfAny() : nullptr;
  if (formatting && formatting->Count() == 0) formatting = nullptr;
  bool isNew = false;
  const int index =
      keys_.Add(style.GetODSKeyString(cell ? cell->GetFormatCode() : std::u16string(),
                                      formatting ? formatting->GetKeyString() : std::u16string()),
                isNew);
  if (isNew) {
    TEntry entry;
    entry.Style = std::make_unique<TExportCellStyle>(style);
    entry.NumberStyle = numberStyle;
    if (formatting) {
      const TExportWorkSheet* sheet = cell->GetWorkSheet();
      const std::string sheetName = platform::Utf16ToUtf8(sheet ? sheet->Name : u"");
      for (int i = 0; i < formatting->Count(); ++i) {
        auto rule = std::make_unique<TExportConditionalFormattingRule_ODS>();
        rule->Assign(*formatting->GetRule(i));
        rule->SheetName = sheetName;
        rule->Col = cell->GetColIndex();
        rule->Row = cell->GetRowIndex();
        rule->ColSpan = cell->ColSpan();
        rule->RowSpan = cell->RowSpan();
        entry.Rules.push_back(std::move(rule));
      }
    }
    entries_.push_back(std::move(entry));
  }
  return prefix_ + Num(index + 1);
}

void TExporterODS_CellStyles::WriteEntry(
    const TEntry& entry, int index, const TXmlNode& automaticStyles, THashedStrings& fontFaces,
    TExporterODS_ConditionalFormattingStyles& conditionalStyles) const {
  const TExportCellStyle& style = *entry.Style;
  const bool paragraph = family_ == std::string_view("paragraph");
  TXmlNode node = automaticStyles.AddChild("style:style");
  node.SetAttr("style:name", prefix_ + Num(index + 1));
  node.SetAttr("style:family", family_);
  if (!entry.NumberStyle.empty()) node.SetAttr("style:data-style-name", entry.NumberStyle);
  // A paragraph style has no cell properties to carry: the comment box's frame holds them.
  if (!paragraph) WriteCellProperties(style, node.AddChild("style:table-cell-properties"));
  TXmlNode paragraphProperties = node.AddChild("style:paragraph-properties");
  paragraphProperties.SetAttr("fo:text-align", HAlignToODS(style.GetAlignment()));
  if (style.GetIndent() != 0 && (style.GetAlignment() == TExportCellStyle::haLeft ||
                                 style.GetAlignment() == TExportCellStyle::haRight))
    paragraphProperties.SetAttr("fo:margin-left", ISOFloatToStr(style.GetIndent() * 0.353) + u"cm");
  style.GetFont().WriteODS(node.AddChild("style:text-properties"), fontFaces, true);
  for (auto rule = entry.Rules.rbegin(); rule != entry.Rules.rend(); ++rule)
    (*rule)->WriteODS(node, conditionalStyles);
}

void TExporterODS_CellStyles::WriteODS(
    const TXmlNode& automaticStyles, THashedStrings& fontFaces,
    TExporterODS_ConditionalFormattingStyles& conditionalStyles) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    WriteEntry(entries_[i], static_cast<int>(i), automaticStyles, fontFaces, conditionalStyles);
}

}  // namespace workbook
