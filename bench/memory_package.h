#pragma once
// Packages the benchmarks make in memory: any zip of parts, and an XLSX workbook of one sheet "S"
// with its shared-string table.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "workbook/core/stream.h"
#include "workbook/formats/zip/zip_archive.h"

namespace bench {

inline workbook::TMemoryStream Package(const std::map<std::string, std::string>& parts) {
  workbook::TMemoryStream target;
  workbook::TZipArchive zip(target, workbook::TZipArchiveMode::Create);
  for (const auto& [name, content] : parts) {
    workbook::TMemoryStream part(std::vector<std::uint8_t>(content.begin(), content.end()));
    zip.AddFile(std::u16string(name.begin(), name.end()), part);
  }
  zip.Save();
  target.SetPosition(0);
  return target;
}

// sheetData: the rows of the sheet; items: the si elements, in an sst with sstAttributes.
inline workbook::TMemoryStream SharedStringsPackage(const std::string& sheetData,
                                                    const std::string& items,
                                                    const std::string& sstAttributes = "") {
  const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
  const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  const std::string rels =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  const std::string type = "<Relationship Type=\"" + rel;
  return Package({
      {"_rels/.rels",
       rels + type + "/officeDocument\" Id=\"rId1\" Target=\"xl/workbook.xml\"/></Relationships>"},
      {"xl/_rels/workbook.xml.rels",
       rels + type + "/worksheet\" Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/>" + type +
           "/sharedStrings\" Id=\"rId2\" Target=\"sharedStrings.xml\"/></Relationships>"},
      {"xl/workbook.xml", "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + rel +
                              "\"><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/>"
                              "</sheets></workbook>"},
      {"xl/sharedStrings.xml",
       "<sst xmlns=\"" + main + "\"" + sstAttributes + ">" + items + "</sst>"},
      {"xl/worksheets/sheet1.xml",
       "<worksheet xmlns=\"" + main + "\"><sheetData>" + sheetData + "</sheetData></worksheet>"},
  });
}

}  // namespace bench
