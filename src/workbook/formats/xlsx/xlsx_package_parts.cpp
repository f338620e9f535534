#include "workbook/formats/xlsx/xlsx_package_parts.h"

#include <algorithm>
#include <set>

#include "platform/text_codec.h"
#include "workbook/core/xml/xml_text.h"
#include "workbook/formats/xlsx/xlsx_namespaces.h"
#include "workbook/formats/xlsx/xlsx_xml_text.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/sheet_names.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

constexpr std::string_view kContentTypesNS =
    "http://schemas.openxmlformats.org/package/2006/content-types";

std::string Default(std::string_view extension, std::string_view type, bool blank) {
  return "<Default Extension=\"" + std::string(extension) + "\" ContentType=\"" +
         std::string(type) + (blank ? "\" />" : "\"/>");
}

std::string Override(std::string_view part, std::string_view type, bool blank) {
  return "<Override PartName=\"" + std::string(part) + "\" ContentType=\"" + std::string(type) +
         (blank ? "\" />" : "\"/>");
}

std::string Relationship(std::string_view id, std::string_view type, std::string_view target) {
  return XLSXRelationship(id, type, target, false);
}

}  // namespace

std::string XLSXRelationship(std::string_view id, std::string_view type, std::string_view target,
                             bool external) {
  return "<Relationship Id=\"" + std::string(id) + "\" Type=\"" + std::string(type) +
         "\" Target=\"" + std::string(target) +
         (external ? "\" TargetMode=\"External\"/>" : "\"/>");
}

void AddXLSXTextPart(TZipArchive& zip, const std::u16string& name, const std::string& text) {
  TMemoryStream part;
  part.WriteString(text);
  part.SetPosition(0);
  zip.AddFile(name, part);
}

std::string XLSXContentTypes(const TXLSXPackageContents& contents) {
  const std::string sml = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
  std::string text(kXLSXDeclarationLine);
  text += "<Types xmlns=\"" + std::string(kContentTypesNS) + "\">";
  text += Override("/xl/theme/theme1.xml",
                   "application/vnd.openxmlformats-officedocument.theme+xml", false);
  text += Override("/xl/styles.xml", sml + "styles+xml", false);
  text += Default("rels", "application/vnd.openxmlformats-package.relationships+xml", false);
  std::set<std::string> extensions{"xml"};
  for (const auto& [extension, type] : contents.MediaTypes)
    if (extensions.insert(extension).second) text += Default(extension, type, true);
  text += Default("xml", "application/xml", false);
  text += Override("/xl/workbook.xml", sml + contents.SheetFileName + ".main+xml", false);
  text += Override("/docProps/app.xml",
                   "application/vnd.openxmlformats-officedocument.extended-properties+xml", false);
  for (int i = 0; i < contents.SheetCount; ++i)
    text += Override("/xl/worksheets/sheet" + std::to_string(i + 1) + ".xml", sml + "worksheet+xml",
                     false);
  for (const std::string& part : contents.DrawingParts)
    text += Override(part, "application/vnd.openxmlformats-officedocument.drawing+xml", true);
  text += Default("vml", "application/vnd.openxmlformats-officedocument.vmlDrawing", true);
  for (const std::string& part : contents.CommentsParts)
    text += Override(part, sml + "comments+xml", true);
  if (contents.CalcChainWritten)
    text += Override("/xl/calcChain.xml", sml + "calcChain+xml", false);
  if (contents.SharedStringsWritten)
    text += Override("/xl/sharedStrings.xml", sml + "sharedStrings+xml", false);
  text += Override("/docProps/core.xml",
                   "application/vnd.openxmlformats-package.core-properties+xml", false);
  text += "</Types>";
  return text;
}

std::string XLSXPackageRelationships() {
  std::string text(kXLSXDeclarationLine);
  text += "<Relationships xmlns=\"" + std::string(kXLSXPackageRelationshipsNS) + "\">";
  text += Relationship("rId3", std::string(kXLSXRelationshipTypes) + "extended-properties",
                       "docProps/app.xml");
  text += Relationship(
      "rId2",
      "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties",
      "docProps/core.xml");
  text += Relationship("rId1", std::string(kXLSXRelationshipTypes) + "officeDocument",
                       "xl/workbook.xml");
  text += "</Relationships>";
  return text;
}

std::string XLSXWorkbookRelationships(const TXLSXPackageContents& contents) {
  const std::string types(kXLSXRelationshipTypes);
  std::string text(kXLSXDeclarationLine);
  text += "<Relationships xmlns=\"" + std::string(kXLSXPackageRelationshipsNS) + "\">";
  text += Relationship("rId1", types + "styles", "styles.xml");
  text += Relationship("rId2", types + "theme", "theme/theme1.xml");
  if (contents.CalcChainWritten) text += Relationship("rId3", types + "calcChain", "calcChain.xml");
  if (contents.SharedStringsWritten)
    text += Relationship("rId4", types + "sharedStrings", "sharedStrings.xml");
  for (int i = 0; i < contents.SheetCount; ++i)
    text += Relationship("rId" + std::to_string(i + 5), types + "worksheet",
                         "worksheets/sheet" + std::to_string(i + 1) + ".xml");
  text += "</Relationships>";
  return text;
}

std::string XLSXWorkbookPart(TWorkbook& workbook) {
  std::string text(kXLSXDeclarationLine);
  text += "<workbook xmlns=\"" + std::string(kXLSXMainNS) + "\" xmlns:r=\"" +
          std::string(kXLSXRelationshipsNS) + "\">";
  text += "<fileVersion appName=\"xl\" lastEdited=\"4\" lowestEdited=\"4\" rupBuild=\"4506\"/>";
  text += "<workbookPr ";
  if (workbook.Date1904) text += "date1904=\"1\" ";
  text += "defaultThemeVersion=\"124226\" />";
  text += "<sheets>";
  const std::vector<std::u16string> names = WritableSheetNames(workbook.WorkSheets);
  for (std::size_t i = 0; i < names.size(); ++i) {
    text += "<sheet name=\"" + XmlText(names[i], TXmlEscaping::Attribute) + "\" sheetId=\"" +
            std::to_string(i + 1) + "\" r:id=\"rId" + std::to_string(i + 5) + "\"/>";
  }
  text += "</sheets><definedNames>";
  for (std::size_t i = 0; i < names.size(); ++i) {
    const TExportWorkSheet& sheet = *workbook.WorkSheets[static_cast<int>(i)];
    const auto add = [&](std::string_view name, const std::u16string& reference, bool hidden) {
      text += "<definedName name=\"" + std::string(name) + "\" localSheetId=\"" +
              std::to_string(i) + (hidden ? "\" hidden=\"1\">" : "\">");
      text += XmlText(RenameSheetInRefs(reference, sheet.Name, names[i]));
      text += "</definedName>";
    };
    if (sheet.PageSettings.HasPrintArea())
      add("_xlnm.Print_Area", sheet.PageSettings.GetXLSXPrintArea(), false);
    if (sheet.PageSettings.HasPrintTitles())
      add("_xlnm.Print_Titles", sheet.PageSettings.GetXLSXPrintTitles(), false);
    if (sheet.WindowSettings.HasAutoFilter())
      add("_xlnm._FilterDatabase", sheet.WindowSettings.GetXLSXAutoFilterRef(), true);
  }
  text += platform::Utf16ToUtf8(workbook.NamedCells.WriteXLSX(&names));
  text += "</definedNames><calcPr calcId=\"125725\" /></workbook>";
  return text;
}

std::string XLSXCoreProperties(const TWorkbook& workbook) {
  std::string text(kXLSXDeclarationLine);
  text +=
      "<cp:coreProperties "
      "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
      "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
      "xmlns:dcmitype=\"http://purl.org/dc/dcmitype/\" "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">";
  text += "<dc:creator>" + XmlText(workbook.Creator) + "</dc:creator>";
  text += "</cp:coreProperties>";
  return text;
}

std::string XLSXAppProperties(const TWorkbook& workbook) {
  std::string text(kXLSXDeclarationLine);
  text +=
      "<Properties "
      "xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\" "
      "xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes\">";
  // Escaped as well: an application name with "&" or "<" would otherwise break the part.
  text += "<Application>" + XmlText(workbook.ApplicationName) + "</Application>";
  text += "</Properties>";
  return text;
}

}  // namespace workbook
