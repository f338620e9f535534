#include "workbook/formats/xlsx/xlsx_drawings.h"

#include "workbook/core/invariant_texts.h"
#include "workbook/core/xml/xml_document.h"
#include "workbook/core/xml/xml_text.h"
#include "workbook/formats/xlsx/xlsx_namespaces.h"
#include "workbook/formats/xlsx/xlsx_package_parts.h"
#include "workbook/formats/xlsx/xlsx_xml_text.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/drawing.h"

namespace workbook {

namespace {

constexpr std::string_view kSpreadsheetDrawingNS =
    "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";
constexpr std::string_view kDrawingMLMainNS =
    "http://schemas.openxmlformats.org/drawingml/2006/main";

std::string Utf8(std::u16string_view text) { return XmlText(text, TXmlEscaping::Attribute); }

}  // namespace

void TExporterXLSX_Drawings::Add(TExportCellDrawing& drawing) {
  if (drawing.Drawing()) items_.push_back(&drawing);
}

std::string TExporterXLSX_Drawings::WriteXLSX(TZipArchive& zip, int sheetIndex,
                                              const TSheetPixelGrid& grid) const {
  TXmlDocument drawing;
  const TXmlNode root = drawing.CreateRoot("xdr:wsDr");
  root.SetAttr("xmlns:xdr", kSpreadsheetDrawingNS);
  root.SetAttr("xmlns:a", kDrawingMLMainNS);
  std::string rels(kXLSXDeclarationLine);
  rels += "<Relationships xmlns=\"" + std::string(kXLSXPackageRelationshipsNS) + "\">";
  for (int k = 0; k < Count(); ++k) {
    const TExportCellDrawing& placed = GetItem(k);
    placed.WriteXLSX(root, k, grid);
    const TExportDrawing& shown = *placed.Drawing();
    rels += XLSXRelationship("rId" + std::to_string(k + 1),
                             std::string(kXLSXRelationshipTypes) + Utf8(shown.GetODSTypeName()),
                             "/" + Utf8(shown.GetXLSXFileName(shown.GetIndex())), false);
  }
  rels += "</Relationships>";
  const std::u16string number = ISOIntToStr(sheetIndex + 1);
  TMemoryStream part;
  drawing.SaveToStream(part);
  part.SetPosition(0);
  zip.AddFile(u"xl/drawings/drawing" + number + u".xml", part);
  AddXLSXTextPart(zip, u"xl/drawings/_rels/drawing" + number + u".xml.rels", rels);
  return "/xl/drawings/drawing" + std::to_string(sheetIndex + 1) + ".xml";
}

}  // namespace workbook
