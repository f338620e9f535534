// The XLSX handler's import: the package's parts found through its relationships, then theme,
// styles, shared strings, sheet names and every worksheet in turn.
#include <algorithm>

#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/library_texts.h"
#include "workbook/core/units.h"
#include "workbook/core/xml/xml_error.h"
#include "workbook/formats/xls/ole_storage.h"
#include "workbook/formats/xlsx/xlsx_color.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/formats/xlsx/xlsx_namespaces.h"
#include "workbook/formats/xlsx/xlsx_package.h"
#include "workbook/formats/xlsx/xlsx_palette.h"
#include "workbook/formats/xlsx/xlsx_part_claims.h"
#include "workbook/formats/xlsx/xlsx_shared_strings.h"
#include "workbook/formats/xlsx/xlsx_sheet_attachments.h"
#include "workbook/formats/xlsx/xlsx_sheet_elements.h"
#include "workbook/formats/xlsx/xlsx_sheet_reader.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/formats/xlsx/xlsx_theme_colors.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/measuring_hooks.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

// A worksheet part with the sheet name the workbook gives it.
struct TWorkSheetPart {
  std::string PartName;
  std::string RelationshipId;
  std::int64_t SortKey = 0;
  std::u16string Name;
};

// The number formed by all decimal digits of Text; Fallback when it has none.
// A definedName of the workbook part, kept until the worksheets exist.
struct TDefinedName {
  std::u16string Name;
  std::u16string Reference;
  std::int64_t LocalSheetId = -1;
};

constexpr std::string_view kSharedStringsPart = "xl/sharedStrings.xml";

std::int64_t DigitsOf(std::string_view text, std::int64_t fallback) {
  std::int64_t number = 0;
  bool any = false;
  for (char c : text) {
    if (c < '0' || c > '9') continue;
    any = true;
    // Clamped, so that names with very long digit runs still sort after the short ones.
    number = std::min<std::int64_t>(number * 10 + (c - '0'), INT64_MAX / 10);
  }
  return any ? number : fallback;
}

std::string FindWorkbookPart(TXLSXPackage& package) {
  for (const TXLSXRelationship& relationship : package.ReadRelationships(""))
    if (relationship.Type == "officeDocument" && !relationship.External)
      return TXLSXPackage::ResolveTarget("", relationship.Target);
  // Packages without package relationships, as some tools write them.
  return "xl/workbook.xml";
}

std::u16string XmlDetail(std::string_view partName, const EWorkbookException& error) {
  return WorkbookLng_InvalidXLSX + u"\r\n\r\n" + platform::Utf8ToUtf16(std::string(partName)) +
         u": " + error.Message();
}

class TXLSXImport {
 public:
  TXLSXImport(TZipArchive& zip, TWorkbook& workbook)
      : zip_(zip), package_(zip), workbook_(workbook), styleSheet_(workbook, false) {}

  void Run() {
    workbook_.FontList.Clear();
    workbook_.BordersList.Clear();
    workbook_.DoProgress(wpsLoading, 0, 1, u"");

    const std::string workbookPart = FindWorkbookPart(package_);
    if (package_.FindPart(workbookPart) < 0) throw EWorkbookFileException(WorkbookLng_InvalidXLSX);
    const std::vector<TXLSXRelationship> relationships = package_.ReadRelationships(workbookPart);

    std::string themePart = "xl/theme/theme1.xml";
    std::string sharedStringsPart;
    std::string stylesPart = "xl/styles.xml";
    for (const TXLSXRelationship& relationship : relationships) {
      if (relationship.External) continue;
      const std::string target = TXLSXPackage::ResolveTarget(workbookPart, relationship.Target);
      if (relationship.Type == "worksheet") {
        claims_.Claim(target);
        parts_.push_back({target, relationship.Id, DigitsOf(target, parts_.size() + 1), {}});
      } else if (relationship.Type == "sharedStrings") {
        sharedStringsPart = target;
      } else if (relationship.Type == "styles") {
        stylesPart = target;
      } else if (relationship.Type == "theme") {
        themePart = target;
      }
    }
    std::stable_sort(
        parts_.begin(), parts_.end(),
        [](const TWorkSheetPart& a, const TWorkSheetPart& b) { return a.SortKey < b.SortKey; });

    Guarded(themePart, [&] {
      TXmlDocument theme;
      if (package_.LoadPart(themePart, theme)) themeColors_.ReadXLSX(theme);
    });
    Guarded(stylesPart, [&] {
      TXmlDocument styles;
      if (package_.LoadPart(stylesPart, styles))
        styleSheet_.ReadStyles(styles, &themeColors_, palette_);
    });
    Guarded(workbookPart, [&] { ReadWorkbookPart(workbookPart); });

    workbook_.WorkSheets.Clear();
    std::vector<bool> readFlags;
    for (const TWorkSheetPart& part : parts_) {
      TExportWorkSheet* sheet = workbook_.AddWorkSheet(part.Name);
      if (sheet->DefaultCellStyle) styleSheet_.ApplyStyle(0, *sheet->DefaultCellStyle, nullptr);
      bool read = true;
      workbook_.DoBeforeWorkSheetRead(*sheet, read);
      readFlags.push_back(read);
    }

    const TExporterXLSX_PaletteColors paletteColors(palette_);
    const TXLSXColorSources colors{&themeColors_, &paletteColors};
    // Packages written without the relationship still keep their strings at the usual place.
    if (sharedStringsPart.empty() || package_.FindPart(sharedStringsPart) < 0)
      sharedStringsPart = kSharedStringsPart;
    Guarded(sharedStringsPart, [&] {
      const int entry = package_.FindPart(sharedStringsPart);
      if (entry < 0) return;
      // Items found while it is inflated, each parsed when a cell first asks for it.
      sharedStrings_.ReadXLSX(zip_, entry, workbook_, colors);
    });

    // Column widths in characters become pixels of the file's default font.
    const double charWidth = CharWidthHook != nullptr
                                 ? CharWidthHook(workbook_.GetDefaultFont())
                                 : HeadlessCharWidth(workbook_.GetDefaultFont());
    const long long count = static_cast<long long>(parts_.size());
    TXLSXSheetReader reader(workbook_, styleSheet_, sharedStrings_, colors);
    for (std::size_t i = 0; i < parts_.size(); ++i) {
      TExportWorkSheet* sheet = workbook_.WorkSheets.GetItem(static_cast<std::int64_t>(i));
      workbook_.DoProgress(wpsWorkSheet, static_cast<long long>(i), count, sheet->Name);
      if (!readFlags[i]) continue;
      const int entry = package_.FindPart(parts_[i].PartName);
      if (entry < 0) continue;
      Guarded(parts_[i].PartName, [&] {
        const TColorPaletteRef palette(palette_);
        TXLSXSheetElements elements(*sheet, styleSheet_, charWidth, &themeColors_, &palette,
                                    HyperlinkTargets(parts_[i].PartName));
        // Parsed while it is inflated: the sheet's XML is never whole in memory.
        reader.Begin(*sheet, zip_.GetUncompressedSize(entry), &elements);
        zip_.ExtractIndexToStream(entry, reader.Parser());
        reader.Finish();
      });
      // A sheet read row by row keeps nothing after its rows.
      if (!workbook_.ReadRowsByEvent)
        Guarded(parts_[i].PartName, [&] {
          const TColorPaletteRef palette(palette_);
          ReadXLSXSheetAttachments(package_, zip_, *sheet, parts_[i].PartName, claims_,
                                   &themeColors_, &palette);
        });
    }
    workbook_.DoProgress(wpsWorkSheet, count, count, u"");
    ReadDefinedNames();
    workbook_.DoProgress(wpsDone, 1, 1, u"");
  }

 private:
  // Malformed XML in a part is a damaged file.
  template <class F>
  void Guarded(std::string_view partName, F&& action) {
    try {
      action();
    } catch (const EXmlError& error) {
      throw EWorkbookFileException(XmlDetail(partName, error));
    }
  }

  // The sheet's external hyperlinks from its relationships.
  TXLSXHyperlinkTargets HyperlinkTargets(const std::string& sheetPart) {
    TXLSXHyperlinkTargets targets;
    for (const TXLSXRelationship& relationship : package_.ReadRelationships(sheetPart))
      if (relationship.Type == "hyperlink" && relationship.External)
        targets[relationship.Id] = platform::Utf8ToUtf16(relationship.Target);
    return targets;
  }

  // User names become named ranges; the print area and titles go to the sheet that
  // localSheetId names, counted in the order of the workbook's sheet list.
  void ReadDefinedNames() {
    for (const TDefinedName& defined : definedNames_) {
      if (defined.Name.rfind(u"_xlnm.", 0) != 0) {
        workbook_.NamedCells.ReadXLSXDefinedName(defined.Name, defined.Reference);
        continue;
      }
      if (defined.LocalSheetId < 0 ||
          defined.LocalSheetId >= static_cast<std::int64_t>(sheetOrder_.size()))
        continue;
      const int part = sheetOrder_[static_cast<std::size_t>(defined.LocalSheetId)];
      if (part < 0 || part >= workbook_.WorkSheets.Count()) continue;
      TExportWorkSheet* sheet = workbook_.WorkSheets.GetItem(part);
      if (defined.Name == u"_xlnm.Print_Area")
        sheet->PageSettings.ReadXLSXPrintArea(defined.Reference);
      else if (defined.Name == u"_xlnm.Print_Titles")
        sheet->PageSettings.ReadXLSXPrintTitles(defined.Reference);
    }
  }

  void ReadWorkbookPart(const std::string& partName) {
    TXmlDocument document;
    if (!package_.LoadPart(partName, document)) return;
    TXmlNode root = document.DocumentElement();
    if (!root) return;
    workbook_.Date1904 = root.Child("workbookPr").Attr("date1904") == "1" ||
                         root.Child("workbookPr").Attr("date1904") == "true";
    for (TXmlNode sheet : root.FindPath("sheets").Elements("sheet")) {
      std::optional<std::string_view> id = sheet.FindAttrNS("id", kXLSXRelationshipsNS);
      if (!id) id = sheet.FindAttrNS("id", kXLSXStrictRelationshipsNS);
      int position = -1;
      if (id) {
        for (std::size_t i = 0; i < parts_.size(); ++i) {
          if (parts_[i].RelationshipId != *id) continue;
          parts_[i].Name = sheet.Attr16("name");
          position = static_cast<int>(i);
        }
      }
      sheetOrder_.push_back(position);
    }
    for (TXmlNode name : root.FindPath("definedNames").Elements("definedName")) {
      std::int64_t sheetId = -1;
      if (name.HasAttr("localSheetId")) sheetId = ISOStrToIntDef(name.Attr16("localSheetId"), -1);
      definedNames_.push_back({name.Attr16("name"), name.Text16(), sheetId});
    }
  }

  TZipArchive& zip_;
  TXLSXPackage package_;
  TWorkbook& workbook_;
  TExporterXLSX_StyleSheet styleSheet_;
  TExporterXLSX_ThemeColors themeColors_;
  TExporterXLSX_Palette palette_;
  TXLSXSharedStrings_Import sharedStrings_;
  std::vector<TWorkSheetPart> parts_;
  TXLSXPartClaims claims_;
  // For each sheet element of the workbook part in order, its worksheet's position (-1: none).
  std::vector<int> sheetOrder_;
  std::vector<TDefinedName> definedNames_;
};

// A package protected by a password to open is kept, encrypted, in a compound file beside the
// description of its encryption.
bool IsEncryptedPackage(TStream& stream) {
  try {
    TOleStorage storage;
    storage.Open(stream);
    return storage.StreamExists(u"EncryptedPackage") && storage.StreamExists(u"EncryptionInfo");
  } catch (const EOleStorageException&) {
    return false;
  }
}

}  // namespace

void TCustomExporterXLSX::ImportFromStream(TStream& stream, TWorkbook& workbook) {
  TCustomExporter::ImportFromStream(stream, workbook);
  workbook.DoProgress(wpsStart, 0, 1, WorkbookLng_Import);
  const std::int64_t start = stream.Position();
  std::unique_ptr<TZipArchive> zip;
  try {
    zip = std::make_unique<TZipArchive>(stream, TZipArchiveMode::Read);
  } catch (const EZipFileInvalid&) {
    stream.SetPosition(start);
    throw EWorkbookFileException(IsEncryptedPackage(stream) ? WorkbookLng_EncryptedFile
                                                            : WorkbookLng_InvalidXLSX);
  }
  try {
    TXLSXImport(*zip, workbook).Run();
  } catch (const EZipFileInvalid& error) {
    // A damaged or oversized entry inside a readable package.
    throw EWorkbookFileException(WorkbookLng_InvalidXLSX + u"\r\n\r\n" + error.Message());
  } catch (const EXmlError& error) {
    // Malformed relationship parts.
    throw EWorkbookFileException(WorkbookLng_InvalidXLSX + u"\r\n\r\n" + error.Message());
  }
}

}  // namespace workbook
