// The ODS export: the package entries in their order, content.xml around the streamed tables.
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "workbook/core/library_texts.h"
#include "workbook/core/xml/xml_document.h"
#include "workbook/core/xml/xml_writer.h"
#include "workbook/formats/ods/ods_exporter.h"
#include "workbook/formats/ods/ods_namespaces.h"
#include "workbook/formats/ods/ods_package_parts.h"
#include "workbook/formats/ods/ods_style_registries.h"
#include "workbook/formats/ods/ods_table_writer.h"
#include "workbook/formats/zip/compression_stream.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/drawing.h"
#include "workbook/model/sheet_names.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

constexpr std::string_view kNumberStylesMarker = "{3C5F0D52-6A0B-4E45-9F1E-ODS-NUMBER-STYLES}";
constexpr std::string_view kTablesMarker = "{3C5F0D52-6A0B-4E45-9F1E-ODS-TABLES}";

std::u16string Num(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

void AddText(TZipArchive& zip, const std::u16string& name, std::string_view text,
             bool stored = false) {
  TMemoryStream part;
  part.WriteString(std::string(text));
  part.SetPosition(0);
  zip.AddFile(name, part, stored);
}

void WriteTableStyles(const TWorkbook& workbook, const TXmlNode& automaticStyles) {
  for (int i = 0; i < workbook.WorkSheets.Count(); ++i) {
    const TExportWorkSheet& sheet = *workbook.WorkSheets[i];
    TXmlNode style = automaticStyles.AddChild("style:style");
    style.SetAttr("style:name", u"ta" + Num(i + 1));
    style.SetAttr("style:family", "table");
    style.SetAttr("style:master-page-name", u"mp" + Num(i + 1));
    TXmlNode properties = style.AddChild("style:table-properties");
    properties.SetAttr("table:display", "true");
    properties.SetAttr("style:writing-mode", "lr-tb");
    if (sheet.WindowSettings.TabColor != clNone)
      properties.SetAttr("tableooo:tab-color",
                         u"#" + ColorToARGBHex(sheet.WindowSettings.TabColor, false));
  }
}

TXmlNode BuildContentRoot(TXmlDocument& document) {
  TXmlNode root = document.CreateRoot("office:document-content");
  DeclareODSNamespaces(
      root, {"office", "style",  "text",         "table", "draw",     "fo",      "xlink", "dc",
             "meta",   "number", "presentation", "svg",   "chart",    "dr3d",    "math",  "form",
             "script", "ooo",    "ooow",         "oooc",  "dom",      "xforms",  "xsd",   "xsi",
             "rpt",    "of",     "xhtml",        "grddl", "tableooo", "calcext", "field"});
  root.SetAttr("grddl:transformation", kODSGrddlTransformation);
  DeclareODSNamespaces(root, {"msoxl", "formx", "css3t"});
  root.SetAttr("office:version", "1.2");
  return root;
}

// Deflates text as one piece of an entry.
std::unique_ptr<TMemoryStream> Deflated(std::string_view text) {
  auto piece = std::make_unique<TMemoryStream>();
  TCompressionStream packer(*piece);
  packer.WriteBuffer(text.data(), text.size());
  packer.Finish();
  return piece;
}

// content.xml as deflated pieces: the tree's text split at its two markers, with the number
// styles and the tables streamed in between. The tables are deflated while they are written, so
// a large sheet is never held uncompressed.
void WriteContent(TCustomExporter& exporter, TWorkbook& workbook, TODSStyleRegistries& styles,
                  TZipArchive& zip) {
  TXmlDocument document;
  TXmlNode root = BuildContentRoot(document);
  TXmlNode fontFaces = root.AddChild("office:font-face-decls");
  TXmlNode automatic = root.AddChild("office:automatic-styles");
  automatic.SetText(kNumberStylesMarker);
  TXmlNode spreadsheet = root.AddChild("office:body").AddChild("office:spreadsheet");
  spreadsheet.SetText(kTablesMarker);
  if (workbook.NamedCells.Count() > 0)
    workbook.NamedCells.WriteODS(spreadsheet.AddChild("table:named-expressions"));
  TXmlNode databaseRanges = spreadsheet.AddChild("table:database-ranges");

  TMemoryStream numberStyles;
  std::vector<std::unique_ptr<TMemoryStream>> tables;
  {
    TXmlWriter numberWriter(numberStyles);
    TODSTableWriter tableWriter(exporter, workbook, styles, numberWriter, tables);
    const int count = workbook.WorkSheets.Count();
    for (int i = 0; i < count; ++i) {
      TExportWorkSheet& sheet = *workbook.WorkSheets[i];
      workbook.DoProgress(wpsWorkSheet, i, count, sheet.Name);
      tableWriter.Write(sheet, i, databaseRanges);
    }
    numberWriter.Flush();
  }
  if (!databaseRanges.FirstElement()) databaseRanges.Remove();

  styles.ColStyles.WriteODS(automatic);
  styles.RowStyles.WriteODS(automatic);
  styles.CellStyles.WriteODS(automatic, styles.FontFaces, styles.ConditionalStyles);
  styles.ParagraphStyles.WriteODS(automatic, styles.FontFaces, styles.ConditionalStyles);
  styles.DrawingStyles.WriteODS(automatic);
  styles.FontStyles.WriteODS(automatic, styles.FontFaces);
  WriteTableStyles(workbook, automatic);
  WriteODSFontFaces(fontFaces, styles.FontFaces);

  const std::string text = ODSPartText(document);
  const std::string_view whole = text;
  const std::size_t numbersAt = whole.find(kNumberStylesMarker);
  const std::size_t tablesAt = whole.find(kTablesMarker);
  const std::string_view numbers(reinterpret_cast<const char*>(numberStyles.Memory()),
                                 static_cast<std::size_t>(numberStyles.Size()));
  const std::unique_ptr<TMemoryStream> head[] = {
      Deflated(whole.substr(0, numbersAt)), Deflated(numbers),
      Deflated(whole.substr(numbersAt + kNumberStylesMarker.size(),
                            tablesAt - numbersAt - kNumberStylesMarker.size()))};
  const std::unique_ptr<TMemoryStream> tail =
      Deflated(whole.substr(tablesAt + kTablesMarker.size()));
  std::vector<TStream*> pieces;
  for (const auto& piece : head) pieces.push_back(piece.get());
  for (const auto& piece : tables) pieces.push_back(piece.get());
  pieces.push_back(tail.get());
  zip.AddDeflated(u"content.xml", pieces);
}

// Sheets carry the names every writer writes while the package is built, and their own names
// again afterwards: tables, print ranges, named ranges, settings and drawings all name sheets, so
// they agree with each other without each learning the rule.
class TWrittenSheetNames {
 public:
  explicit TWrittenSheetNames(TWorkbook& workbook) : workbook_(workbook) {
    std::vector<std::u16string> names = WritableSheetNames(workbook.WorkSheets);
    for (int i = 0; i < workbook.WorkSheets.Count(); ++i)
      std::swap(workbook.WorkSheets[i]->Name, names[static_cast<std::size_t>(i)]);
    own_ = std::move(names);
  }
  ~TWrittenSheetNames() {
    for (int i = 0; i < workbook_.WorkSheets.Count(); ++i)
      std::swap(workbook_.WorkSheets[i]->Name, own_[static_cast<std::size_t>(i)]);
  }
  TWrittenSheetNames(const TWrittenSheetNames&) = delete;
  TWrittenSheetNames& operator=(const TWrittenSheetNames&) = delete;

 private:
  TWorkbook& workbook_;
  std::vector<std::u16string> own_;
};

}  // namespace

void TCustomExporterODS::ExportToStream(TStream& stream, TWorkbook& workbook) {
  TCustomExporter::ExportToStream(stream, workbook);
  CheckSheetLimits(workbook, WorkbookLng_ODSSheetTooLarge);
  const TWrittenSheetNames writtenNames(workbook);
  workbook.DoProgress(wpsStart, 0, 1, WorkbookLng_Export);
  TZipArchive zip(stream, TZipArchiveMode::Create);
  // Readers recognise the package by this first, uncompressed entry.
  AddText(zip, u"mimetype", kODSMimeType, true);
  TODSStyleRegistries styles;
  WriteContent(*this, workbook, styles, zip);
  AddText(zip, u"styles.xml", ODSStylesPart(workbook, styles));
  AddText(zip, u"meta.xml", ODSMetaPart(workbook));
  AddText(zip, u"settings.xml", ODSSettingsPart(workbook));
  AddText(zip, u"META-INF/manifest.xml", ODSManifestPart(workbook));
  for (int i = 0; i < workbook.Drawings.Count(); ++i)
    workbook.Drawings[i]->SaveToODSPackage(zip, i);
  workbook.DoProgress(wpsSaving, 0, 1, u"");
  zip.Save();
  workbook.DoProgress(wpsDone, 1, 1, u"");
}

}  // namespace workbook
