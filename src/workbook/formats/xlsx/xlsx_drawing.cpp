// The DrawingML anchor of a cell drawing and the picture element of an image.
#include "workbook/formats/xlsx/xlsx_drawing.h"

#include <string>

#include "workbook/core/invariant_texts.h"
#include "workbook/model/cell.h"
#include "workbook/model/drawing.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

std::string Int(long long value) { return std::to_string(value); }

void WriteMarker(const TXmlNode& parent, const char* name, int col, long long colOff, int row,
                 long long rowOff) {
  const TXmlNode marker = parent.AddChild(name);
  marker.AddChild("xdr:col").SetText(Int(col));
  marker.AddChild("xdr:colOff").SetText(Int(colOff * kEMUPerPixel));
  marker.AddChild("xdr:row").SetText(Int(row));
  marker.AddChild("xdr:rowOff").SetText(Int(rowOff * kEMUPerPixel));
}

}  // namespace

void TExportCellDrawing::WriteXLSX(const TXmlNode& root, int index,
                                   const TSheetPixelGrid& grid) const {
  if (!drawing_) return;
  TExportCell* cell = GetCell();
  const int col = cell ? std::max(cell->GetColIndex(), 0) : 0;
  const int row = cell ? std::max(cell->GetRowIndex(), 0) : 0;
  int endCol = 0, endRow = 0, endX = 0, endY = 0;
  GetEndCell(grid, endCol, endRow, endX, endY);

  const TXmlNode anchor = root.AddChild("xdr:twoCellAnchor");
  anchor.SetAttr("editAs", "oneCell");
  WriteMarker(anchor, "xdr:from", col, Bounds.Left, row, Bounds.Top);
  WriteMarker(anchor, "xdr:to", endCol, endX, endRow, endY);

  std::string element = drawing_->GetXLSXElementName();
  std::string capital = element;
  if (!capital.empty() && capital[0] >= 'a' && capital[0] <= 'z') capital[0] -= 'a' - 'A';
  const TXmlNode shape = anchor.AddChild("xdr:" + element);
  const TXmlNode nv = shape.AddChild("xdr:nv" + capital + "Pr");
  const TXmlNode cNvPr = nv.AddChild("xdr:cNvPr");
  cNvPr.SetAttr("id", Int(index + 1LL));
  cNvPr.SetAttr("name", drawing_->Name);
  cNvPr.SetAttr("descr", drawing_->Name + u"." + drawing_->GetFileExtension());
  nv.AddChild("xdr:cNv" + capital + "Pr")
      .AddChild("a:" + element + "Locks")
      .SetAttr("noChangeAspect", "1");
  drawing_->WriteXLSX(*this, shape, index);
  anchor.AddChild("xdr:clientData");
}

void TExportDrawing::WriteXLSX(const TExportCellDrawing& cellDrawing, const TXmlNode& node,
                               int index) const {
  const TXmlNode blipFill = node.AddChild("xdr:blipFill");
  const TXmlNode blip = blipFill.AddChild("a:blip");
  blip.SetAttr("xmlns:r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships");
  blip.SetAttr("r:embed", "rId" + Int(index + 1LL));
  blip.SetAttr("cstate", "print");
  blipFill.AddChild("a:stretch").AddChild("a:fillRect");
  const TXmlNode spPr = node.AddChild("xdr:spPr");
  spPr.AddChild("a:prstGeom").SetAttr("prst", "rect");
  spPr.Child("a:prstGeom").AddChild("a:avLst");
  cellDrawing.Style.WriteXLSX(spPr);
}

std::u16string TExportWorkSheet::GetXLSXDrawingFileName() const {
  return u"xl/drawings/drawing" + ISOIntToStr(GetIndex() + 1) + u".xml";
}

std::u16string TExportDrawing::GetXLSXFileName(int index) const {
  return u"xl/media/image" + ISOIntToStr(index + 1LL) + u"." + GetFileExtension();
}

void TExportDrawing::SaveToXLSXPackage(TZipArchive& zip, int index) const {
  SaveData(zip, GetXLSXFileName(index));
}

}  // namespace workbook
