// The OpenDocument forms of drawings: the frame of a cell drawing, the picture inside it, its
// package entry and its manifest line.
#include "workbook/core/sheet_refs.h"
#include "workbook/formats/ods/ods_lengths.h"
#include "workbook/model/cell.h"
#include "workbook/model/drawing.h"

namespace workbook {

namespace {

std::u16string Num(long long value) {
  const std::string s = std::to_string(value);
  return std::u16string(s.begin(), s.end());
}

}  // namespace

std::u16string TExportDrawing::WriteODSManifestEntry(int index) const {
  return u"<manifest:file-entry manifest:media-type=\"" + GetMimeType() +
         u"\" manifest:full-path=\"" + GetODSFileName(index) + u"\" />";
}

std::u16string TExportDrawing::GetODSFileName(int index) const {
  return u"Pictures/Pic" + Num(index + 1LL) + u"." + GetFileExtension();
}

void TExportDrawing::SaveToODSPackage(TZipArchive& zip, int index) const {
  SaveData(zip, GetODSFileName(index));
}

void TExportDrawing::WriteODS(TXmlWriter& writer, int index) const {
  writer.StartElement("draw:image");
  writer.WriteAttribute("xlink:href", GetODSFileName(index));
  writer.EndElement();
}

void TExportCellDrawing::WriteODS(TXmlWriter& writer, const TSheetPixelGrid& grid,
                                  const std::u16string& sheetName,
                                  const std::u16string& styleName) const {
  if (!drawing_) return;
  int endCol = 0, endRow = 0, endX = 0, endY = 0;
  GetEndCell(grid, endCol, endRow, endX, endY);
  writer.StartElement("draw:frame");
  writer.WriteAttribute("draw:style-name", styleName);
  writer.WriteAttribute("svg:x", PixelsToCmText(Bounds.Left));
  writer.WriteAttribute("svg:y", PixelsToCmText(Bounds.Top));
  writer.WriteAttribute("svg:width", PixelsToCmText(Bounds.GetWidth()));
  writer.WriteAttribute("svg:height", PixelsToPtText(Bounds.GetHeight()));
  writer.WriteAttribute("table:end-cell-address", MakeODSRangeRef(sheetName, endCol, endRow));
  writer.WriteAttribute("table:end-x", PixelsToCmText(endX));
  writer.WriteAttribute("table:end-y", PixelsToPtText(endY));
  drawing_->WriteODS(writer, GetDrawingIndex());
  writer.EndElement();
}

}  // namespace workbook
