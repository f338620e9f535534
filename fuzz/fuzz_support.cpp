#include "fuzz_support.h"

#include <libxml/parser.h>
#include <zip.h>

#include <stdexcept>

#include "workbook/core/exceptions.h"
#include "workbook/core/stream.h"
#include "workbook/formats/exporter_registry.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/xls/ole_storage.h"
#include "workbook/model/workbook.h"

namespace fuzz {

workbook::TCustomExporter& Handler(int index) {
  static const bool started = [] {
    workbook::StartWorkbookLibrary();
    workbook::WorkbookDateFormat = u"dd.mm.yyyy";
    workbook::WorkbookTimeFormat = u"hh:mm:ss";
    return true;
  }();
  (void)started;
  workbook::TCustomExporter* handler = workbook::GetExporter(index);
  if (!handler) throw std::logic_error("no handler at that position");
  return *handler;
}

void Load(workbook::TCustomExporter& handler, std::string_view bytes) {
  workbook::TMemoryStream stream(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  workbook::TWorkbook book;
  try {
    book.LoadFromStream(stream, handler);
  } catch (const workbook::ELibraryException&) {
  }
}

std::string Zip(const std::vector<std::pair<std::string, std::string>>& entries) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_source_keep(buffer);
  zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  for (const auto& [name, data] : entries) {
    zip_source_t* entry = zip_source_buffer(archive, data.data(), data.size(), 0);
    zip_file_add(archive, name.c_str(), entry, ZIP_FL_OVERWRITE);
  }
  zip_close(archive);  // the entries' data must live until here
  std::string bytes;
  zip_stat_t stat;
  if (zip_source_stat(buffer, &stat) == 0 && zip_source_open(buffer) == 0) {
    bytes.resize(stat.size);
    bytes.resize(static_cast<std::size_t>(zip_source_read(buffer, bytes.data(), stat.size)));
    zip_source_close(buffer);
  }
  zip_source_free(buffer);
  return bytes;
}

namespace {

constexpr std::string_view kContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>
<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>
</Types>)";

constexpr std::string_view kPackageRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>
</Relationships>)";

constexpr std::string_view kWorkbook =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<sheets><sheet name="A1" sheetId="1" r:id="rId1"/></sheets>
</workbook>)";

constexpr std::string_view kWorkbookRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>
<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>
<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>
</Relationships>)";

constexpr std::string_view kSheet =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<sheetData><row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" s="1"><v>44000.5</v></c><c r="C1" t="s" s="1"><v>1</v></c></row></sheetData>
</worksheet>)";

constexpr std::string_view kSharedStrings =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="2" uniqueCount="2">
<si><t>Faktúra</t></si><si><r><rPr><b/></rPr><t>tučne</t></r></si>
</sst>)";

constexpr std::string_view kStyles =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<numFmts count="1"><numFmt numFmtId="164" formatCode="dd.mm.yyyy"/></numFmts>
<fonts count="1"><font><sz val="11"/><name val="Calibri"/></font></fonts>
<fills count="1"><fill><patternFill patternType="none"/></fill></fills>
<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>
<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>
<cellXfs count="2"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/><xf numFmtId="164" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/></cellXfs>
</styleSheet>)";

constexpr std::string_view kOdsManifest =
    R"(<?xml version="1.0" encoding="UTF-8"?>
<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.2">
<manifest:file-entry manifest:full-path="/" manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>
<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>
</manifest:manifest>)";

std::string Or(std::string_view part, std::string_view fallback) {
  return std::string(part.empty() ? fallback : part);
}

}  // namespace

std::string XlsxPackage(const TXlsxParts& parts) {
  return Zip({{"[Content_Types].xml", std::string(kContentTypes)},
              {"_rels/.rels", std::string(kPackageRels)},
              {"xl/workbook.xml", std::string(kWorkbook)},
              {"xl/_rels/workbook.xml.rels", std::string(kWorkbookRels)},
              {"xl/worksheets/sheet1.xml", Or(parts.Sheet, kSheet)},
              {"xl/sharedStrings.xml", Or(parts.SharedStrings, kSharedStrings)},
              {"xl/styles.xml", Or(parts.Styles, kStyles)}});
}

std::string OdsPackage(std::string_view content) {
  return Zip({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
              {"META-INF/manifest.xml", std::string(kOdsManifest)},
              {"content.xml", std::string(content)}});
}

std::string CompoundFile(std::string_view stream) {
  workbook::TMemoryStream data(std::vector<std::uint8_t>(stream.begin(), stream.end()));
  workbook::TMemoryStream file;
  workbook::TOleStorage::WriteStorage(file, data, u"Workbook");
  return file.AsString();
}

bool WellFormed(std::string_view bytes) {
  xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  xmlFreeDoc(doc);
  return doc != nullptr;
}

}  // namespace fuzz
