#include "workbook/formats/exporter_registry.h"

#include <gtest/gtest.h>

#include "workbook/formats/library_start.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"

namespace workbook {
namespace {

class TFakeExporter : public TCustomExporter {
 public:
  TFakeExporter(std::u16string description, std::vector<std::u16string> extensions) {
    Description = std::move(description);
    Extensions = std::move(extensions);
  }
};

class TOtherFakeExporter : public TFakeExporter {
 public:
  using TFakeExporter::TFakeExporter;
};

// A registry laid out as start-up lays it out, with stand-ins for the formats not built here.
class ExporterRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char16_t* name : {u"CSV for Excel", u"CSV semicolon", u"CSV comma"})
      registry.Register(std::make_unique<TFakeExporter>(name, std::vector<std::u16string>{u"csv"}),
                        -1);
    registry.Register(std::make_unique<TFakeExporter>(u"TSV", std::vector<std::u16string>{u"tsv"}),
                      -1);
    registry.Register(std::make_unique<TExporterXLSX>(), 0);
    registry.Register(std::make_unique<TFakeExporter>(u"Excel 97, 2000, XP",
                                                      std::vector<std::u16string>{u"xls", u"xlt"}),
                      1);
    registry.Register(std::make_unique<TOtherFakeExporter>(
                          u"Open Office Calc", std::vector<std::u16string>{u"ods", u"ots"}),
                      2);
  }

  std::u16string Found(std::u16string_view fileName) const {
    TCustomExporter* exporter = reinterpret_cast<TCustomExporter*>(1);
    if (!registry.FindForFile(fileName, exporter)) {
      EXPECT_EQ(exporter, nullptr);
      return u"(none)";
    }
    return exporter->Description;
  }

  TExporterRegistry registry;
};

TEST_F(ExporterRegistryTest, FrontHandlersAreInsertedBeforeTheTextHandlers) {
  std::vector<std::u16string> order;
  for (int i = 0; i < registry.Count(); ++i) order.push_back(registry.Get(i)->Description);
  EXPECT_EQ(order, (std::vector<std::u16string>{u"Excel 2007", u"Excel 97, 2000, XP",
                                                u"Open Office Calc", u"CSV for Excel",
                                                u"CSV semicolon", u"CSV comma", u"TSV"}));
}

struct TLookupCase {
  const char16_t* fileName;
  const char16_t* description;
};

TEST_F(ExporterRegistryTest, FileNamesFindTheirHandler) {
  const TLookupCase cases[] = {
      {u"Book.XLS", u"Excel 97, 2000, XP"}, {u"data.csv", u"CSV for Excel"},
      {u"noextension", u"(none)"},          {u"ends.with.", u"(none)"},
      {u"archive.tar.xlsx", u"Excel 2007"}, {u"C:\\a.b\\file", u"(none)"},
      {u"/home/a.b/file", u"(none)"},       {u"D:name", u"(none)"},
      {u"x.xlt", u"Excel 97, 2000, XP"},    {u"x.ots", u"Open Office Calc"},
      {u"macro.XLSM", u"Excel 2007"},       {u"t.xltx", u"Excel 2007"},
      {u"unknown.doc", u"(none)"},
  };
  for (const TLookupCase& c : cases) EXPECT_EQ(Found(c.fileName), c.description);
}

TEST_F(ExporterRegistryTest, ExtensionLookupDropsOneDotAndIgnoresCase) {
  TCustomExporter* exporter = nullptr;
  EXPECT_TRUE(registry.FindForExtension(u".XLSX", exporter));
  EXPECT_EQ(exporter->Description, u"Excel 2007");
  EXPECT_FALSE(registry.FindForExtension(u"..xlsx", exporter));
  EXPECT_EQ(exporter, nullptr);
  EXPECT_FALSE(registry.FindForExtension(u".", exporter));
  EXPECT_FALSE(registry.FindForExtension(u"", exporter));
}

TEST(ExporterRegistryGlobalTest, FindRegisteredExporterMatchesTheExactClassFromTheEnd) {
  StartWorkbookLibrary();
  TExporterXLSX* xlsx = nullptr;
  ASSERT_TRUE(FindRegisteredExporter(xlsx));
  EXPECT_EQ(xlsx, GetExporter(0));
  TCustomExporterXLSX* base = nullptr;
  EXPECT_FALSE(FindRegisteredExporter(base));  // a base class does not match its descendant
}

struct TRowHeightCase {
  const char16_t* name;
  int size;
  std::uint8_t vertPosition;
  int height;
};

TEST(TCustomExporterTest, FontRowHeightFromTheMetricsTable) {
  // Arial's table height at 10 points is 16 pixels: 16 * 1.124 = 17.98 -> 18 beats 17.5 -> 18.
  const TRowHeightCase cases[] = {
      {u"Arial", 10, 0, 18},      {u"Arial", 10, 2, 22},  {u"Unknown Face", 10, 0, 18},
      {u"Unknown Face", 3, 0, 5}, {u"Arial", 71, 0, 124}, {u"Arial", 0, 0, 0},
      {u"Unknown Face", 1, 0, 2}, {u"Arial", 10, 1, 18},
  };
  for (const TRowHeightCase& c : cases) {
    TExportFont font;
    font.SetName(c.name);
    font.SetSize(c.size);
    font.GetStyle().VertPosition = c.vertPosition;
    EXPECT_EQ(TCustomExporter::GetFontRowHeight(font), c.height) << c.size;
  }
}

}  // namespace
}  // namespace workbook
