// The worksheet part around sheetData and the parts beside it: columns, breaks, relationships,
// the drawing part with its relationships, and what the rows reported (merges, rules, links).
#include <algorithm>
#include <string>

#include "workbook/core/cell_refs.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/oformat.h"
#include "workbook/core/xml/xml_text.h"
#include "workbook/formats/xlsx/xlsx_cell_comment.h"
#include "workbook/formats/xlsx/xlsx_namespaces.h"
#include "workbook/formats/xlsx/xlsx_package_parts.h"
#include "workbook/formats/xlsx/xlsx_sheet_writer.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/formats/xlsx/xlsx_xml_text.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/drawing.h"
#include "workbook/model/limits.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

constexpr std::string_view kSpreadsheetDrawingNS =
    "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";
constexpr std::string_view kDrawingMLMainNS =
    "http://schemas.openxmlformats.org/drawingml/2006/main";

std::string Num(long long value) { return std::to_string(value); }

std::string Utf8(std::u16string_view text) { return XmlText(text, TXmlEscaping::Attribute); }

std::string Relationship(long long id, std::string_view type, const std::string& target,
                         bool external) {
  return "<Relationship Id=\"rId" + Num(id) + "\" Type=\"" + std::string(kXLSXRelationshipTypes) +
         std::string(type) + "\" Target=\"" + target +
         (external ? "\" TargetMode=\"External\"/>" : "\"/>");
}

void AddTextPart(TZipArchive& zip, const std::u16string& name, const std::string& text) {
  TMemoryStream part;
  part.WriteString(text);
  part.SetPosition(0);
  zip.AddFile(name, part);
}

// The column's look as a col element carries it; equal neighbours share one element.
struct TColLook {
  double Width = 0;
  int XF = 0;
  bool Hidden = false;
  int OutlineLevel = 0;
  bool operator==(const TColLook& other) const {
    return Width == other.Width && XF == other.XF && Hidden == other.Hidden &&
           OutlineLevel == other.OutlineLevel;
  }
};

// A manual page break after the row or column index; max is the last index across it.
void AddBreak(TXmlNode breaks, int index, int max) {
  const TXmlNode brk = breaks.AddChild("brk");
  brk.SetAttr("id", Num(index));
  brk.SetAttr("max", Num(max));
  brk.SetAttr("man", "1");
}

}  // namespace

void TXLSXSheetWriter::SetBreakCount(TXmlNode breaks) {
  const std::string count = Num(static_cast<long long>(breaks.Elements("brk").size()));
  breaks.SetAttr("count", count);
  breaks.SetAttr("manualBreakCount", count);
}

void TXLSXSheetWriter::WriteColumns(TXmlNode cols, TXmlNode colBreaks) {
  TExportWorkSheet& sheet = *sheet_;
  const double charWidth = std::max(1, workbook_.GetDefaultCharWidth());
  const int listed = std::min(static_cast<int>(grid_.ColWidths.size()), kMaxColumns);
  TXmlNode last;
  TColLook lastLook;
  const auto addCol = [&](int first, int lastIndex, const TColLook& look) {
    last = cols.AddChild("col");
    last.SetAttr("min", Num(first + 1));
    last.SetAttr("max", Num(lastIndex + 1));
    last.SetAttr("width", ISOFloatToStr(look.Width / charWidth));
    last.SetAttr("customWidth", "1");
    if (look.Hidden) last.SetAttr("hidden", "1");
    if (look.OutlineLevel != 0) last.SetAttr("outlineLevel", Num(look.OutlineLevel));
    last.SetAttr("style", Num(look.XF));
    lastLook = look;
  };
  for (int i = 0; i < listed; ++i) {
    TExportCol* col = sheet.Cols.FindCol(i);
    TColLook look;
    look.XF = col && col->HasStyle() ? styles_.AddStyle(col->GetStyle(), nullptr) : defaultXF_;
    look.Hidden = col && col->Hidden;
    look.OutlineLevel = col ? col->OutlineLevel() : 0;
    look.Width = grid_.ColWidths[i] >= 0 ? grid_.ColWidths[i] : grid_.DefaultColWidth;
    if (last && look == lastLook)
      last.SetAttr("max", Num(i + 1));
    else
      addCol(i, i, look);
    if (col && col->PageBreak) AddBreak(colBreaks, i, kMaxColumns - 1);
  }
  if (listed < kMaxColumns) {
    TColLook rest;
    rest.Width = grid_.DefaultColWidth;
    rest.XF = defaultXF_;
    addCol(listed, kMaxColumns - 1, rest);
  }
}

TXLSXSheetWriter::TSheetRelIds TXLSXSheetWriter::WriteRelationships(TZipArchive& zip) {
  TSheetRelIds ids;
  if (hyperlinks_.empty() && drawings_.empty() && !comments_) return ids;
  std::string text(kXLSXDeclarationLine);
  text += "<Relationships xmlns=\"" + std::string(kXLSXPackageRelationshipsNS) + "\">";
  long long next = 1;
  for (const auto& link : hyperlinks_)
    text += Relationship(next++, "hyperlink", Utf8(OFormat::DecodeXMLEntities(link.second)), true);
  if (!drawings_.empty()) {
    ids.Drawing = "rId" + Num(next);
    text +=
        Relationship(next++, "drawing", "/xl/drawings/drawing" + Num(index_ + 1) + ".xml", false);
  }
  if (comments_) {
    text += Relationship(next++, "comments", Utf8(comments_->GetCommentsFileName(true)), false);
    ids.Vml = "rId" + Num(next);
    text += Relationship(next++, "vmlDrawing", Utf8(comments_->GetVmlDrawingFileName(true)), false);
  }
  text += "</Relationships>";
  AddTextPart(zip, u"xl/worksheets/_rels/sheet" + ISOIntToStr(index_ + 1) + u".xml.rels", text);
  return ids;
}

void TXLSXSheetWriter::WriteDrawingPart(TZipArchive& zip) {
  TXmlDocument drawing;
  const TXmlNode root = drawing.CreateRoot("xdr:wsDr");
  root.SetAttr("xmlns:xdr", kSpreadsheetDrawingNS);
  root.SetAttr("xmlns:a", kDrawingMLMainNS);
  std::string rels(kXLSXDeclarationLine);
  rels += "<Relationships xmlns=\"" + std::string(kXLSXPackageRelationshipsNS) + "\">";
  for (std::size_t k = 0; k < drawings_.size(); ++k) {
    const TExportCellDrawing& placed = *drawings_[k];
    placed.WriteXLSX(root, static_cast<int>(k), grid_);
    const TExportDrawing& shown = *placed.Drawing();
    rels += Relationship(static_cast<long long>(k + 1), Utf8(shown.GetODSTypeName()),
                         "/" + Utf8(shown.GetXLSXFileName(shown.GetIndex())), false);
  }
  rels += "</Relationships>";
  const std::u16string number = ISOIntToStr(index_ + 1);
  TMemoryStream part;
  drawing.SaveToStream(part);
  part.SetPosition(0);
  zip.AddFile(u"xl/drawings/drawing" + number + u".xml", part);
  AddTextPart(zip, u"xl/drawings/_rels/drawing" + number + u".xml.rels", rels);
  contents_.DrawingParts.push_back("/xl/drawings/drawing" + Num(index_ + 1) + ".xml");
}

void TXLSXSheetWriter::BuildSkeleton(const TSheetRelIds& ids) {
  TExportWorkSheet& sheet = *sheet_;
  const TXmlNode root = document_->CreateRoot("worksheet");
  root.SetAttr("xmlns", kXLSXMainNS);
  root.SetAttr("xmlns:r", kXLSXRelationshipsNS);

  sheet.WindowSettings.WriteXLSXSheetPr(root.AddChild("sheetPr"), sheet.PageSettings.FitToPage);
  root.AddChild("dimension")
      .SetAttr("ref", maxCellCount_ <= 1 && rowCount_ <= 1
                          ? std::u16string(u"A1")
                          : MakeCellRangeRef(0, 0, std::max(maxCellCount_, 1), false,
                                             std::max(rowCount_, 1)));
  sheet.WindowSettings.WriteXLSX(root.AddChild("sheetViews"));

  const double charWidth = std::max(1, workbook_.GetDefaultCharWidth());
  const TXmlNode format = root.AddChild("sheetFormatPr");
  format.SetAttr("baseColWidth", "10");
  format.SetAttr("defaultColWidth",
                 ISOFloatToStr(TCustomExporter::GetDefaultColWidth(sheet) / charWidth));
  format.SetAttr("defaultRowHeight",
                 ISOFloatToStr(TCustomExporter::GetDefaultRowHeight(sheet, true) * 0.75));
  format.SetAttr("customHeight", "1");

  const TXmlNode cols = root.AddChild("cols");
  root.AddChild("sheetData").SetText(kSheetDataMarker);
  sheet.Protection.WriteXLSX(root);
  sheet.WindowSettings.WriteXLSXAutoFilter(root);
  if (!merges_.empty()) {
    const TXmlNode mergeCells = root.AddChild("mergeCells");
    mergeCells.SetAttr("count", Num(static_cast<long long>(merges_.size())));
    for (const std::u16string& ref : merges_) mergeCells.AddChild("mergeCell").SetAttr("ref", ref);
  }
  for (TExportConditionalFormatting* formatting : conditionalFormats_)
    formatting->WriteXLSX(root.AddChild("conditionalFormatting"), styles_.CondFormStyles());
  if (!hyperlinks_.empty()) {
    const TXmlNode links = root.AddChild("hyperlinks");
    for (std::size_t k = 0; k < hyperlinks_.size(); ++k) {
      const TXmlNode link = links.AddChild("hyperlink");
      link.SetAttr("ref", hyperlinks_[k].first);
      link.SetAttr("r:id", "rId" + Num(static_cast<long long>(k + 1)));
    }
  }
  sheet.PageSettings.WriteXLSX(root);
  if (sheet.Header.HasText() || sheet.Footer.HasText()) {
    const TXmlNode headerFooter = root.AddChild("headerFooter");
    if (sheet.Header.HasText()) sheet.Header.WriteXLSX(headerFooter.AddChild("oddHeader"));
    if (sheet.Footer.HasText()) sheet.Footer.WriteXLSX(headerFooter.AddChild("oddFooter"));
  }
  const TXmlNode rowBreaks = root.AddChild("rowBreaks");
  for (int row : rowBreaks_) AddBreak(rowBreaks, row, kMaxSheetRows - 1);
  const TXmlNode colBreaks = root.AddChild("colBreaks");
  WriteColumns(cols, colBreaks);
  for (const TXmlNode& list : {cols, rowBreaks, colBreaks}) {
    if (!list.FirstElement())
      list.Remove();
    else if (!(list == cols))
      SetBreakCount(list);
  }
  if (!ids.Drawing.empty()) root.AddChild("drawing").SetAttr("r:id", ids.Drawing);
  if (comments_) {
    contents_.CommentsParts.push_back(Utf8(comments_->GetCommentsFileName(true)));
    root.AddChild("legacyDrawing").SetAttr("r:id", ids.Vml);
  }
}

}  // namespace workbook
