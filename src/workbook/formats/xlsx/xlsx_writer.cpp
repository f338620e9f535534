// The XLSX export: the package parts in their order.
#include "platform/text_codec.h"
#include "workbook/core/library_texts.h"
#include "workbook/core/xml/xml_text.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/formats/xlsx/xlsx_namespaces.h"
#include "workbook/formats/xlsx/xlsx_package_parts.h"
#include "workbook/formats/xlsx/xlsx_shared_strings_writer.h"
#include "workbook/formats/xlsx/xlsx_sheet_writer.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/formats/xlsx/xlsx_xml_text.h"
#include "workbook/formats/zip/compression_stream.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/drawing.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

std::string CalcChainPart(const TExporterXLSX_Chain& chain) {
  std::string text(kXLSXDeclarationLine);
  text += "<calcChain xmlns=\"" + std::string(kXLSXMainNS) + "\">";
  for (const auto& [ref, sheet] : chain) {
    text += "<c r=\"" + XmlText(ref, TXmlEscaping::Attribute) + "\" i=\"" + sheet + "\"/>";
  }
  text += "</calcChain>";
  return text;
}

}  // namespace

void TCustomExporterXLSX::ExportToStream(TStream& stream, TWorkbook& workbook) {
  TCustomExporter::ExportToStream(stream, workbook);
  workbook.DoProgress(wpsStart, 0, 1, WorkbookLng_Export);
  TZipArchive zip(stream, TZipArchiveMode::Create);

  TXLSXPackageContents contents;
  const std::u16string sheetWord = GetSheetFileName();
  contents.SheetFileName.assign(sheetWord.begin(), sheetWord.end());
  contents.SheetCount = static_cast<int>(workbook.WorkSheets.Count());
  for (int i = 0; i < workbook.Drawings.Count(); ++i) {
    const TExportDrawing& drawing = *workbook.Drawings.GetItem(i);
    contents.MediaTypes.emplace_back(platform::Utf16ToUtf8(drawing.GetFileExtension()),
                                     platform::Utf16ToUtf8(drawing.GetMimeType()));
  }
  {
    TExporterXLSX_StyleSheet styles(workbook, true);
    TXLSXSharedStrings_Export sharedStrings;
    TExporterXLSX_Chain chain;
    TXLSXSheetWriter sheetWriter(*this, workbook, styles, sharedStrings, chain, contents);
    for (int i = 0; i < contents.SheetCount; ++i) {
      TExportWorkSheet& sheet = *workbook.WorkSheets[i];
      workbook.DoProgress(wpsWorkSheet, i, contents.SheetCount, sheet.Name);
      sheetWriter.Write(zip, sheet, i);
    }
    workbook.DoProgress(wpsWorkSheet, contents.SheetCount, contents.SheetCount, u"");
    if (!chain.empty()) {
      AddXLSXTextPart(zip, u"xl/calcChain.xml", CalcChainPart(chain));
      contents.CalcChainWritten = true;
    }
    styles.WriteXLSX(zip);
    if (!sharedStrings.Empty()) {
      sharedStrings.WriteXLSX(zip, WorkbookCompressTempData, workbook);
      contents.SharedStringsWritten = true;
    }
  }
  AddXLSXTextPart(zip, u"[Content_Types].xml", XLSXContentTypes(contents));
  AddXLSXTextPart(zip, u"_rels/.rels", XLSXPackageRelationships());
  AddXLSXTextPart(zip, u"xl/_rels/workbook.xml.rels", XLSXWorkbookRelationships(contents));
  AddXLSXTextPart(zip, u"xl/workbook.xml", XLSXWorkbookPart(workbook));
  AddXLSXTextPart(zip, u"docProps/core.xml", XLSXCoreProperties(workbook));
  AddXLSXTextPart(zip, u"docProps/app.xml", XLSXAppProperties(workbook));
  AddXLSXTextPart(zip, u"xl/theme/theme1.xml", XLSXTheme());
  for (int i = 0; i < workbook.Drawings.Count(); ++i)
    workbook.Drawings.GetItem(i)->SaveToXLSXPackage(zip, i);
  workbook.DoProgress(wpsSaving, 0, 1, u"");
  zip.Save();
  workbook.DoProgress(wpsDone, 1, 1, u"");
}

}  // namespace workbook
