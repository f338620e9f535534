#include "xlsx_test_support.h"

#include "platform/text_codec.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/formats/zip/zip_archive.h"

namespace workbook {

std::string SheetXml(const std::string& sheetData) {
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet xmlns=\"") + kMainNS +
         "\" xmlns:r=\"" + kRelNS + "\"><sheetData>" + sheetData + "</sheetData></worksheet>";
}

TXLSXParts TXLSXParts::Standard(const std::string& sheetData, const std::string& sharedStrings) {
  TXLSXParts result;
  result.Parts["_rels/.rels"] =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" Type=\"" +
      kRelNS + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
  if (!sharedStrings.empty())
    result.Parts["xl/sharedStrings.xml"] =
        "<sst xmlns=\"" + kMainNS + "\">" + sharedStrings + "</sst>";
  result.Parts["xl/worksheets/sheet1.xml"] = SheetXml(sheetData);
  return result.SetSheets({{"First", "worksheets/sheet1.xml"}});
}

TXLSXParts& TXLSXParts::SetSheets(const std::vector<std::pair<std::string, std::string>>& sheets,
                                  const std::string& definedNames) {
  std::string rels =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  std::string list;
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    const std::string id = "rId" + std::to_string(i + 1);
    rels += "<Relationship Id=\"" + id + "\" Type=\"" + kRelNS + "/worksheet\" Target=\"" +
            sheets[i].second + "\"/>";
    list += "<sheet name=\"" + sheets[i].first + "\" sheetId=\"" + std::to_string(i + 1) +
            "\" r:id=\"" + id + "\"/>";
  }
  if (Parts.count("xl/sharedStrings.xml"))
    rels += "<Relationship Id=\"rId" + std::to_string(sheets.size() + 1) + "\" Type=\"" + kRelNS +
            "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
  Parts["xl/_rels/workbook.xml.rels"] = rels + "</Relationships>";
  Parts["xl/workbook.xml"] =
      "<workbook xmlns=\"" + kMainNS + "\" xmlns:r=\"" + kRelNS + "\"><sheets>" + list +
      "</sheets>" +
      (definedNames.empty() ? "" : "<definedNames>" + definedNames + "</definedNames>") +
      "</workbook>";
  return *this;
}

TMemoryStream TXLSXParts::Zip() const {
  TMemoryStream target;
  TZipArchive zip(target, TZipArchiveMode::Create);
  for (const auto& [name, content] : Parts) {
    TMemoryStream part(std::vector<std::uint8_t>(content.begin(), content.end()));
    zip.AddFile(platform::Utf8ToUtf16(name), part);
  }
  zip.Save();
  target.SetPosition(0);
  return target;
}

void XLSXReaderTest::Load(const TXLSXParts& parts) {
  TMemoryStream stream = parts.Zip();
  LoadStream(stream);
}

void XLSXReaderTest::LoadStream(TStream& stream) {
  Book = std::make_unique<TWorkbook>();
  Book->ShowProgress = false;
  TExporterXLSX exporter;
  Book->LoadFromStream(stream, exporter);
}

std::u16string XLSXReaderTest::Text(int sheet, int row, int col) {
  if (sheet >= Book->WorkSheets.Count()) return u"(none)";
  TExportWorkSheet* ws = Book->WorkSheets.GetItem(sheet);
  TExportCell* cell = nullptr;
  if (!ws->FindCell(col, row, cell) || cell == nullptr) return u"(none)";
  return cell->GetValueText();
}

}  // namespace workbook
