#include <cmath>

#include "workbook/core/invariant_texts.h"
#include "workbook/core/xml/xml_writer.h"
#include "workbook/formats/ods/ods_comment_drawing_style.h"
#include "workbook/formats/ods/ods_lengths.h"
#include "workbook/formats/ods/ods_style_registries.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_number.h"

namespace workbook {

namespace {

std::u16string Num(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

TXmlNode AddStyle(const TXmlNode& parent, const std::u16string& name, const char* family) {
  TXmlNode style = parent.AddChild("style:style");
  style.SetAttr("style:name", name);
  style.SetAttr("style:family", family);
  return style;
}

// OpenDocument counts a column's width without the grid line the pixel width includes.
std::u16string ColumnWidthText(double width) {
  if (width == 0) return u"0cm";
  return ISOFloatToStr(std::round((width - 1) * 0.0280618686868686 * 1000) / 1000) + u"cm";
}

}  // namespace

TExporterODS_ColStyles::TExporterODS_ColStyles() { Add(-1, false); }

std::u16string TExporterODS_ColStyles::Add(double width, bool pageBreak) {
  bool isNew = false;
  const int index = keys_.Add(ISOFloatToStr(width) + (pageBreak ? u";1" : u";0"), isNew);
  if (isNew) entries_.push_back({width, pageBreak});
  return u"co" + Num(index + 1);
}

void TExporterODS_ColStyles::WriteODS(const TXmlNode& automaticStyles) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    TXmlNode properties =
        AddStyle(automaticStyles, u"co" + Num(static_cast<long long>(i) + 1), "table-column")
            .AddChild("style:table-column-properties");
    if (entries_[i].PageBreak) properties.SetAttr("fo:break-before", "page");
    if (entries_[i].Width >= 0)
      properties.SetAttr("style:column-width", ColumnWidthText(entries_[i].Width));
  }
}

TExporterODS_RowStyles::TExporterODS_RowStyles() { Add(-2, 0, false); }

std::u16string TExporterODS_RowStyles::Add(double height, int heightKind, bool pageBreak) {
  bool isNew = false;
  const int index = keys_.Add(
      ISOFloatToStr(height) + u";" + Num(heightKind) + (pageBreak ? u";1" : u";0"), isNew);
  if (isNew) entries_.push_back({height, heightKind, pageBreak});
  return u"ro" + Num(index + 1);
}

void TExporterODS_RowStyles::WriteODS(const TXmlNode& automaticStyles) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const TEntry& entry = entries_[i];
    TXmlNode properties =
        AddStyle(automaticStyles, u"ro" + Num(static_cast<long long>(i) + 1), "table-row")
            .AddChild("style:table-row-properties");
    if (entry.Height >= 0) properties.SetAttr("style:row-height", PixelsToPtText(entry.Height));
    if (entry.HeightKind == 2) properties.SetAttr("style:use-optimal-row-height", "true");
    if (entry.PageBreak) properties.SetAttr("fo:break-before", "page");
  }
}

std::u16string TExporterODS_NumberStyles::Name(int index) { return u"N" + Num(index + 501); }

std::u16string TExporterODS_NumberStyles::Add(TExportCell& cell, TXmlWriter& writer) {
  auto* number = dynamic_cast<TExportCellCustomNumber*>(&cell);
  if (number == nullptr) return std::u16string();
  const std::u16string code = cell.GetFormatCode();
  if (code.empty()) return std::u16string();
  bool isNew = false;
  const int index = keys_.Add(code, isNew);
  if (isNew) number->WriteODSNumberStyle(writer, Name(index));
  return Name(index);
}

std::u16string TExporterODS_FontStyles::Add(const TExportFont& font) {
  bool isNew = false;
  const int index = keys_.Add(font.GetKeyString(), isNew);
  if (isNew) fonts_.push_back(font);
  return u"T" + Num(index + 1);
}

void TExporterODS_FontStyles::WriteODS(const TXmlNode& automaticStyles,
                                       THashedStrings& fontFaces) const {
  for (std::size_t i = 0; i < fonts_.size(); ++i)
    fonts_[i].WriteODS(AddStyle(automaticStyles, u"T" + Num(static_cast<long long>(i) + 1), "text")
                           .AddChild("style:text-properties"),
                       fontFaces, true);
}

std::u16string TExporterODS_DrawingStyles::Add(const TExportDrawingStyle& style) {
  bool isNew = false;
  // The comment frame writes more than its key says: keep the two kinds apart.
  const bool comment = dynamic_cast<const TExportCommentDrawingStyle*>(&style) != nullptr;
  const int index = keys_.Add(style.GetKeyString() + (comment ? u";c" : u""), isNew);
  if (isNew) {
    auto copy = std::unique_ptr<TExportDrawingStyle>(
        static_cast<TExportDrawingStyle*>(style.NewInstance().release()));
    copy->Assign(style);
    styles_.push_back(std::move(copy));
  }
  return u"gr" + Num(index + 1);
}

void TExporterODS_DrawingStyles::WriteODS(const TXmlNode& automaticStyles) const {
  for (std::size_t i = 0; i < styles_.size(); ++i) {
    const TXmlNode properties =
        AddStyle(automaticStyles, u"gr" + Num(static_cast<long long>(i) + 1), "graphic")
            .AddChild("style:graphic-properties");
    if (auto* frame = dynamic_cast<const TExportCommentDrawingStyle*>(styles_[i].get()))
      frame->WriteODS(properties);
    else
      styles_[i]->WriteODS(properties);
  }
}

}  // namespace workbook
