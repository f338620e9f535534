// The XLSX comments part and the legacy VML part that places the comment boxes.
#include <string>

#include "workbook/core/cell_refs.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/formats/xlsx/xlsx_cell_comment.h"
#include "workbook/formats/xlsx/xlsx_escapes.h"
#include "workbook/formats/xlsx/xlsx_package_parts.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/cell.h"
#include "workbook/model/rich_text.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

std::string Utf8(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out += static_cast<char>(c);  // ASCII texts only (numbers, names)
  return out;
}

std::string HAlignText(std::uint8_t alignment) {
  switch (alignment) {
    case 2:
      return "center";
    case 3:
      return "right";
    case 4:
      return "fill";
    case 5:
      return "justify";
    default:
      return "left";
  }
}

std::string VAlignText(std::uint8_t alignment) {
  switch (alignment) {
    case 1:
      return "top";
    case 2:
      return "center";
    case 4:
      return "justify";
    case 5:
      return "distributed";
    default:
      return "bottom";
  }
}

std::string Points(double pixels) { return Utf8(ISOFloatToStr(pixels * 0.75)); }

// A plain t, or one r per run with the run's rPr when it has a font of its own.
void WriteText(TXmlWriter& writer, const TExportCellComment& comment) {
  const TStringRichTextTags* tags = comment.RichTextIfAny();
  if (!tags || tags->Count() == 0)
    return writer.WriteElementString("t", EncodeXLSXEscapes(comment.GetText()));
  TStringRichTextTagTextList runs;
  tags->BuildTextList(comment.GetText(), runs, false);
  for (int i = 0; i < runs.Count(); ++i) {
    const TStringRichTextTagTextList_Entry& run = runs.GetEntry(i);
    writer.StartElement("r");
    if (run.Font) writer.WriteRaw(run.Font->WriteXLSXRun());
    writer.WriteElementString("t", EncodeXLSXEscapes(run.Text));
    writer.EndElement();
  }
}

}  // namespace

int TExporterXLSX_CommentsInWorkSheet::AddComment(const TExportCellComment& comment) {
  auto copy = std::make_unique<TExporterXLSX_Comment>();
  copy->Assign(comment);
  if (const TExportCell* cell = comment.Cell()) {
    copy->Col = cell->GetColIndex();
    copy->Row = cell->GetRowIndex();
  }
  comments_.push_back(std::move(copy));
  return GetCount() - 1;
}

std::u16string TExporterXLSX_CommentsInWorkSheet::GetCommentsFileName(bool absolute) const {
  const std::string n = std::to_string(sheet_.GetIndex() + 1);
  return (absolute ? u"/xl/" : u"xl/") + std::u16string(u"comments") +
         std::u16string(n.begin(), n.end()) + u".xml";
}

std::u16string TExporterXLSX_CommentsInWorkSheet::GetVmlDrawingFileName(bool absolute) const {
  const std::string n = std::to_string(sheet_.GetIndex() + 1);
  return (absolute ? u"/xl/drawings/" : u"xl/drawings/") + std::u16string(u"vmlDrawing") +
         std::u16string(n.begin(), n.end()) + u".vml";
}

std::string TExporterXLSX_CommentsInWorkSheet::CommentsXML() const {
  TMemoryStream stream;
  {
    TXmlWriter writer(stream);
    writer.StartDocument(false);
    writer.StartElement("comments");
    writer.WriteAttribute("xmlns", "http://schemas.openxmlformats.org/spreadsheetml/2006/main");
    writer.WriteAttribute("xml:space", "preserve");
    writer.WriteRaw("<authors><author /></authors>");
    writer.StartElement("commentList");
    for (const auto& comment : comments_) {
      writer.StartElement("comment");
      writer.WriteAttribute("ref", MakeCellRangeRef(comment->Col, comment->Row));
      writer.WriteAttribute("authorId", "0");
      writer.StartElement("text");
      WriteText(writer, *comment);
      writer.EndElement();
      writer.EndElement();
    }
    writer.EndDocument();
  }
  const auto size = static_cast<std::size_t>(stream.Size());
  std::string bytes(size, '\0');
  stream.SetPosition(0);
  stream.ReadBuffer(bytes.data(), size);
  return bytes;
}

std::string TExporterXLSX_CommentsInWorkSheet::VMLDrawing(const TSheetPixelGrid& grid) const {
  std::string vml =
      "<xml xmlns:v=\"urn:schemas-microsoft-com:vml\" "
      "xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
      "xmlns:x=\"urn:schemas-microsoft-com:office:excel\">"
      "<o:shapelayout v:ext=\"edit\"><o:idmap v:ext=\"edit\" data=\"1\" /></o:shapelayout>"
      "<v:shapetype id=\"_x0000_t202\" coordsize=\"21600,21600\" o:spt=\"202\" "
      "path=\"m,l,21600r21600,l21600,xe\"><v:stroke joinstyle=\"miter\" />"
      "<v:path gradientshapeok=\"t\" o:connecttype=\"rect\" /></v:shapetype>";
  for (std::size_t i = 0; i < comments_.size(); ++i) {
    const TExporterXLSX_Comment& comment = *comments_[i];
    int x = 0, y = 0;
    TExportWorkSheet::GetPixelPosition(grid, x, y, 0, comment.Col + 1, comment.Bounds.Left, 0,
                                       comment.Row, comment.Bounds.Top);
    const std::string color = "#" + Utf8(ColorToARGBHex(comment.Color, false));
    const std::string align = HAlignText(comment.Alignment);
    vml += "<v:shape id=\"_x0000_s" + std::to_string(1025 + i) +
           "\" type=\"#_x0000_t202\" style=\"position:absolute;margin-left:" + Points(x) +
           "pt;margin-top:" + Points(y) + "pt;width:" + Points(comment.Bounds.GetWidth()) +
           "pt;height:" + Points(comment.Bounds.GetHeight()) +
           "pt;z-index:" + std::to_string(i + 1) +
           ";visibility:hidden;mso-wrap-style:tight\" fillcolor=\"" + color +
           "\" o:insetmode=\"auto\">";
    vml += "<v:fill color2=\"" + color + "\" />";
    vml += "<v:shadow on=\"t\" color=\"black\" obscured=\"t\" />";
    vml += "<v:path o:connecttype=\"none\" />";
    vml += "<v:textbox style=\"mso-direction-alt:auto\"><div style=\"text-align:" + align +
           "\" /></v:textbox>";
    vml +=
        "<x:ClientData ObjectType=\"Note\"><x:MoveWithCells /><x:SizeWithCells /><x:Anchor />"
        "<x:AutoFill>False</x:AutoFill>";
    vml += "<x:TextHAlign>" + align + "</x:TextHAlign>";
    vml += "<x:TextVAlign>" + VAlignText(comment.VAlignment) + "</x:TextVAlign>";
    vml += "<x:Row>" + std::to_string(comment.Row) + "</x:Row>";
    vml += "<x:Column>" + std::to_string(comment.Col) + "</x:Column>";
    vml += "</x:ClientData></v:shape>";
  }
  return vml + "</xml>";
}

void TExporterXLSX_CommentsInWorkSheet::WriteCommentsXML(TZipArchive& zip) const {
  AddXLSXTextPart(zip, GetCommentsFileName(false), CommentsXML());
}

void TExporterXLSX_CommentsInWorkSheet::WriteVMLDrawing(TZipArchive& zip,
                                                        const TSheetPixelGrid& grid) const {
  AddXLSXTextPart(zip, GetVmlDrawingFileName(false), VMLDrawing(grid));
}

}  // namespace workbook
