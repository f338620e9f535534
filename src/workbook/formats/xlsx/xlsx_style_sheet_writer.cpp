// Writing side of the XLSX style sheet: cell styles become xfs, and the lists become
// "xl/styles.xml".
#include "workbook/core/enum_names.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/xlsx_colors.h"
#include "workbook/formats/xlsx/xlsx_namespaces.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_style.h"
#include "workbook/model/sys_date_formats.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

std::string Num(long long value) { return std::to_string(value); }

void WriteXf(TXmlNode cellXfs, const TExporterXLSX_Style& style) {
  TXmlNode xf = cellXfs.AddChild("xf");
  xf.SetAttr("numFmtId", Num(style.NumFmtId < 0 ? 0 : style.NumFmtId));
  xf.SetAttr("fontId", Num(style.FontIndex));
  xf.SetAttr("fillId", Num(style.FillIndex));
  xf.SetAttr("borderId", Num(style.BorderIndex));
  xf.SetAttr("xfId", "0");
  xf.SetAttr("applyFont", "1");
  xf.SetAttr("applyFill", "1");
  xf.SetAttr("applyAlignment", "1");
  const bool protectionOther = style.Protection != TExportCellStyle::cpLocked;
  if (protectionOther) xf.SetAttr("applyProtection", "1");
  TXmlNode alignment = xf.AddChild("alignment");
  if (style.HAlignment != TExportCellStyle::haGeneral)
    alignment.SetAttr("horizontal", HAlignToXLSX(style.HAlignment));
  if (style.VAlignment != TExportCellStyle::vaDefault)
    alignment.SetAttr("vertical", VAlignToXLSX(style.VAlignment));
  if (style.Wrap != 0) alignment.SetAttr("wrapText", "1");
  if (style.Rotation != 0) alignment.SetAttr("textRotation", Num(style.Rotation));
  if (style.Indent != 0 && (style.HAlignment == TExportCellStyle::haLeft ||
                            style.HAlignment == TExportCellStyle::haRight))
    alignment.SetAttr("indent", Num(style.Indent));
  if (protectionOther) {
    TXmlNode protection = xf.AddChild("protection");
    protection.SetAttr("hidden", (style.Protection & TExportCellStyle::cpHidden) ? "1" : "0");
    protection.SetAttr("locked", (style.Protection & TExportCellStyle::cpLocked) ? "1" : "0");
  }
}

}  // namespace

int TExporterXLSX_StyleSheet::AddStyle(TExportCellStyle& style, const TExportCell* cell) {
  const std::u16string formatCode = cell != nullptr ? cell->GetFormatCode() : std::u16string();
  bool isNew = false;
  const int index = styleKeys_.Add(style.GetKeyString(formatCode), isNew);
  if (!isNew) return index;
  TExporterXLSX_Style xf;
  xf.FontIndex = style.GetFontIndex();
  xf.BorderIndex = style.GetBordersIndex();
  xf.FillIndex = fills_.AddColor(style.GetBGColor());
  xf.NumFmtId = cell != nullptr ? numberFormats_.GetFormatId(formatCode) : 0;
  xf.HAlignment = style.GetAlignment();
  xf.Indent = style.GetIndent();
  xf.VAlignment = style.GetVAlignment();
  xf.Wrap = style.GetWrapText() ? 1 : 0;
  xf.VerticalText = style.GetVerticalText();
  xf.Rotation = RotationToXLS(style.GetRotation(), style.GetVerticalText() != 0);
  xf.Protection = style.GetProtection();
  styles_.push_back(xf);
  styleFormats_.push_back(numberFormats_.FindById(xf.NumFmtId));
  return index;
}

int TExporterXLSX_StyleSheet::AddStyleWithBorders(int index, const TExportCellStyle& style) {
  TExportCellStyle combined(&workbook_);
  ApplyStyle(index, combined, nullptr);
  combined.GetBordersForWrite() = style.GetBorders();
  // The number format stays with the xf: the key needs it, so a stand-in cell is not needed
  // when the xf has General; otherwise the combined xf is keyed by the code as well.
  const TExporterXLSX_NumberFormat* format = NumberFormatOf(index);
  bool isNew = false;
  const std::u16string code = format != nullptr ? format->Code() : std::u16string();
  const int result = styleKeys_.Add(combined.GetKeyString(code), isNew);
  if (!isNew) return result;
  TExporterXLSX_Style xf = styles_[static_cast<std::size_t>(index)];
  xf.BorderIndex = combined.GetBordersIndex();
  styles_.push_back(xf);
  styleFormats_.push_back(styleFormats_[static_cast<std::size_t>(index)]);
  return result;
}

void TExporterXLSX_StyleSheet::WriteStyles(TXmlDocument& document) {
  TXmlNode root = document.CreateRoot("styleSheet");
  root.SetAttr("xmlns", kXLSXMainNS);

  TXmlNode numFmts = root.AddChild("numFmts");
  int formatCount = 0;
  for (int i = 0; i < numberFormats_.Count(); ++i) {
    const TExporterXLSX_NumberFormat& format = numberFormats_.GetItem(i);
    if (!IsWrittenFormatId(format.Id())) continue;
    TXmlNode numFmt = numFmts.AddChild("numFmt");
    numFmt.SetAttr("numFmtId", Num(format.Id()));
    numFmt.SetAttr("formatCode", ExpandSysDateFormats(format.Code()));
    ++formatCount;
  }
  numFmts.SetAttr("count", Num(formatCount));

  workbook_.FontList.WriteXLSX(root.AddChild("fonts"));

  TXmlNode fills = root.AddChild("fills");
  fills.SetAttr("count", Num(fills_.Count()));
  for (int i = 0; i < fills_.Count(); ++i)
    WriteXLSXPatternFill(fills_.GetColor(i), fills.AddChild("fill"));

  workbook_.BordersList.WriteXLSX(root.AddChild("borders"));

  TXmlNode styleXfs = root.AddChild("cellStyleXfs");
  styleXfs.SetAttr("count", "1");
  TXmlNode styleXf = styleXfs.AddChild("xf");
  for (const char* name : {"numFmtId", "fontId", "fillId", "borderId"}) styleXf.SetAttr(name, "0");

  TXmlNode cellXfs = root.AddChild("cellXfs");
  cellXfs.SetAttr("count", Num(StyleCount()));
  for (const TExporterXLSX_Style& style : styles_) WriteXf(cellXfs, style);

  if (condFormStyles_.Count() > 0) {
    TXmlNode dxfs = root.AddChild("dxfs");
    dxfs.SetAttr("count", Num(condFormStyles_.Count()));
    for (int i = 0; i < condFormStyles_.Count(); ++i) {
      const TExporterXLSX_CondFormStyle& style = condFormStyles_.GetItem(i);
      TXmlNode dxf = dxfs.AddChild("dxf");
      if (style.FontColor != clNone || !style.FontStyle.IsEmpty()) {
        TXmlNode font = dxf.AddChild("font");
        style.FontStyle.WriteXLSX(font);
        if (style.FontColor != clNone)
          font.AddChild("color").SetAttr("rgb", ColorToARGBHex(style.FontColor, true));
      }
      if (style.FillColor != clNone)
        WriteXLSXPatternFill(style.FillColor, dxf.AddChild("fill"), true);
    }
  }
}

void TExporterXLSX_StyleSheet::WriteXLSX(TZipArchive& zip) {
  TXmlDocument document;
  WriteStyles(document);
  TMemoryStream part;
  document.SaveToStream(part);
  part.SetPosition(0);
  zip.AddFile(u"xl/styles.xml", part);
}

}  // namespace workbook
