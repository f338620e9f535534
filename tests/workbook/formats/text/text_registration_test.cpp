// Start-up registers the delimited-text handlers after the spreadsheet formats, in a fixed order
// that decides which handler a shared extension opens with.
#include <gtest/gtest.h>

#include <string>

#include "workbook/formats/exporter_registry.h"
#include "workbook/formats/library_start.h"
#include "workbook/formats/text/text_exporter.h"
#include "workbook/formats/text/zip_csv_exporter.h"

namespace workbook {
namespace {

TEST(TextRegistrationTest, TextHandlersCloseTheRegistryInTheirOrder) {
  StartWorkbookLibrary();
  std::vector<std::u16string> last;
  for (int i = GetExporterCount() - 6; i < GetExporterCount(); ++i)
    last.push_back(GetExporter(i)->Description);
  EXPECT_EQ(last,
            (std::vector<std::u16string>{
                u"CSV for Excel", u"CSV semicolon-separated text", u"CSV comma-separated text",
                u"TSV tabulator-separated text", u"SSV space-separated text", u"Zipped CSV"}));
  EXPECT_EQ(GetExporter(0)->Description, u"Excel 2007");
}

struct TSettingsCase {
  TExporterText* exporter;
  std::vector<std::u16string> extensions;
  char16_t separator;
  std::u16string importSeparators;
  TTextEncodingKind encoding;
};

TEST(TextRegistrationTest, SettingsOfTheRegisteredHandlers) {
  StartWorkbookLibrary();
  TExporterCSVExcel* excel = nullptr;
  TExporterCSVSemicolon* semicolon = nullptr;
  TExporterCSVComma* comma = nullptr;
  TExporterTSV* tsv = nullptr;
  TExporterSSV* ssv = nullptr;
  ASSERT_TRUE(FindRegisteredExporter(excel) && FindRegisteredExporter(semicolon) &&
              FindRegisteredExporter(comma) && FindRegisteredExporter(tsv) &&
              FindRegisteredExporter(ssv));
  const TSettingsCase cases[] = {
      {excel, {u"csv", u"txt"}, excel->Separator, u"", TTextEncodingKind::SystemCodePage},
      {semicolon, {u"csv", u"txt"}, u';', u"", TTextEncodingKind::Utf8},
      {comma, {u"csv", u"txt"}, u',', u"", TTextEncodingKind::Utf8},
      {tsv, {u"tsv", u"csv", u"txt"}, u'\t', u"", TTextEncodingKind::Utf8},
      {ssv, {u"ssv", u"csv", u"txt"}, u'\t', u"\t", TTextEncodingKind::Utf8},
  };
  for (const TSettingsCase& c : cases) {
    SCOPED_TRACE(std::string(c.exporter->Description.begin(), c.exporter->Description.end()));
    EXPECT_EQ(c.exporter->Extensions, c.extensions);
    EXPECT_EQ(c.exporter->Separator, c.separator);
    EXPECT_EQ(c.exporter->ImportSeparators, c.importSeparators);
    EXPECT_EQ(c.exporter->Encoding().Kind(), c.encoding);
    EXPECT_FALSE(c.exporter->OwnsEncoding());
  }
}

}  // namespace
}  // namespace workbook
