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

std::string Num(long long value) { return std::to_string(value); }

std::string Utf8(std::u16string_view text) { return XmlText(text, TXmlEscaping::Attribute); }

std::string Relationship(long long id, std::string_view type, const std::string& target,
                         bool external) {
  return XLSXRelationship("rId" + Num(id), std::string(kXLSXRelationshipTypes) + std::string(type),
                          target, external);
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

void TXLSXSheetWriter::WriteColumns() {
  TExportWorkSheet& sheet = *sheet_;
  const TXmlNode cols = skeleton_.Cols;
  const TXmlNode colBreaks = skeleton_.ColBreaks;
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
    look.XF = ColumnXF(i);
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
  if (hyperlinks_->Count() == 0 && drawings_.Count() == 0 && !comments_) return ids;
  std::string text(kXLSXDeclarationLine);
  text += "<Relationships xmlns=\"" + std::string(kXLSXPackageRelationshipsNS) + "\">";
  long long next = 1;
  for (int k = 0; k < hyperlinks_->Count(); ++k)
    text += Relationship(next++, "hyperlink",
                         Utf8(OFormat::DecodeXMLEntities(hyperlinks_->GetTarget(k))), true);
  if (drawings_.Count() > 0) {
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
  AddXLSXTextPart(zip, u"xl/worksheets/_rels/sheet" + ISOIntToStr(index_ + 1) + u".xml.rels", text);
  if (!ids.Drawing.empty())
    contents_.DrawingParts.push_back(drawings_.WriteXLSX(zip, index_, grid_));
  return ids;
}

void TXLSXSheetWriter::BuildSkeleton() {
  TExportWorkSheet& sheet = *sheet_;
  const TXmlNode root = document_->CreateRoot("worksheet");
  root.SetAttr("xmlns", kXLSXMainNS);
  root.SetAttr("xmlns:r", kXLSXRelationshipsNS);
  skeleton_.Root = root;

  sheet.WindowSettings.WriteXLSXSheetPr(root.AddChild("sheetPr"), sheet.PageSettings.FitToPage);
  skeleton_.Dimension = root.AddChild("dimension");
  sheet.WindowSettings.WriteXLSX(root.AddChild("sheetViews"));

  const double charWidth = std::max(1, workbook_.GetDefaultCharWidth());
  const TXmlNode format = root.AddChild("sheetFormatPr");
  format.SetAttr("baseColWidth", "10");
  format.SetAttr("defaultColWidth",
                 ISOFloatToStr(TCustomExporter::GetDefaultColWidth(sheet) / charWidth));
  format.SetAttr("defaultRowHeight",
                 ISOFloatToStr(TCustomExporter::GetDefaultRowHeight(sheet, true) * 0.75));
  format.SetAttr("customHeight", "1");

  skeleton_.Cols = root.AddChild("cols");
  root.AddChild("sheetData").SetText(kSheetDataMarker);
  sheet.Protection.WriteXLSX(root);
  sheet.WindowSettings.WriteXLSXAutoFilter(root);
  skeleton_.MergeCells = root.AddChild("mergeCells");
  skeleton_.HyperLinks = root.AddChild("hyperlinks");
  sheet.PageSettings.WriteXLSX(root);
  if (sheet.Header.HasText() || sheet.Footer.HasText()) {
    const TXmlNode headerFooter = root.AddChild("headerFooter");
    if (sheet.Header.HasText()) sheet.Header.WriteXLSX(headerFooter.AddChild("oddHeader"));
    if (sheet.Footer.HasText()) sheet.Footer.WriteXLSX(headerFooter.AddChild("oddFooter"));
  }
  skeleton_.RowBreaks = root.AddChild("rowBreaks");
  skeleton_.ColBreaks = root.AddChild("colBreaks");
}

void TXLSXSheetWriter::CompleteSkeleton(const TSheetRelIds& ids) {
  skeleton_.Dimension.SetAttr("ref", maxCellCount_ <= 1 && rowCount_ <= 1
                                         ? std::u16string(u"A1")
                                         : MakeCellRangeRef(0, 0, std::max(maxCellCount_, 1), false,
                                                            std::max(rowCount_, 1)));
  if (merges_.empty()) {
    skeleton_.MergeCells.Remove();
  } else {
    skeleton_.MergeCells.SetAttr("count", Num(static_cast<long long>(merges_.size())));
    for (const std::u16string& ref : merges_)
      skeleton_.MergeCells.AddChild("mergeCell").SetAttr("ref", ref);
  }
  for (TExportConditionalFormatting* formatting : conditionalFormats_)
    formatting->WriteXLSX(
        skeleton_.Root.InsertChildBefore("conditionalFormatting", skeleton_.HyperLinks),
        styles_.CondFormStyles());
  if (hyperlinks_->Count() == 0) skeleton_.HyperLinks.Remove();
  for (int row : rowBreaks_) AddBreak(skeleton_.RowBreaks, row, kMaxSheetRows - 1);
  WriteColumns();
  for (const TXmlNode& list : {skeleton_.Cols, skeleton_.RowBreaks, skeleton_.ColBreaks}) {
    if (!list.FirstElement())
      list.Remove();
    else if (!(list == skeleton_.Cols))
      SetBreakCount(list);
  }
  if (!ids.Drawing.empty()) skeleton_.Root.AddChild("drawing").SetAttr("r:id", ids.Drawing);
  if (comments_) {
    contents_.CommentsParts.push_back(Utf8(comments_->GetCommentsFileName(true)));
    skeleton_.Root.AddChild("legacyDrawing").SetAttr("r:id", ids.Vml);
  }
}

}  // namespace workbook
