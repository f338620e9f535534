// The two XML exports as the commands run them: built and written under the chosen name.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/statement/control_statement_xml.h"
#include "app/statement/ec_sales_list_xml.h"
#include "app/statement/errors.h"
#include "app/statement/period_names.h"
#include "statement_fixture.h"

using namespace app;
using namespace app::test;

namespace {

std::filesystem::path TestDir() {
  const auto dir = std::filesystem::path(BINARY_DIR) / "report_export_test";
  std::filesystem::create_directories(dir);
  return dir;
}

}  // namespace

// The file holds the built document as it stands (the builders' tests compare it with the
// goldens) under the chosen name with ".xml" added, without a byte-order mark.
TEST(ReportExport, FilesHoldTheBuiltDocumentUnderTheExtendedName) {
  const auto data = FullStatement();
  const std::string kv = (TestDir() / "kv.xml").string();
  EXPECT_EQ(ExportControlStatement(TKVFormat::Format2021, *data, kv), kv + ".xml");
  EXPECT_EQ(ReadFileBytes(kv + ".xml"),
            LinesToUtf8(BuildControlStatement(TKVFormat::Format2021, *data)));
  const std::string sv = (TestDir() / "sv").string();
  EXPECT_EQ(ExportEcSalesList(TSVLayout::Layout2020, *data, kToday, sv), sv + ".xml");
  EXPECT_EQ(ReadFileBytes(sv + ".xml"),
            LinesToUtf8(BuildEcSalesList(TSVLayout::Layout2020, *data, kToday)));
}

TEST(ReportExport, EcSalesListWithBrokenTotalWritesNothing) {
  TData data;
  Add(data.RowsSV1, {"CZ1", "1.5", ""});
  const auto target = TestDir() / "broken";
  std::filesystem::remove(target.string() + ".xml");
  EXPECT_THROW(ExportEcSalesList(TSVLayout::Layout2014, data, kToday, target.string()),
               EConvertError);
  EXPECT_FALSE(std::filesystem::exists(target.string() + ".xml"));
}

TEST(ReportExport, ControlCharacterAnywhereWritesNoReport) {
  // A settings value never passes the row checks: the writers stop it themselves.
  const auto data = FullStatement();
  data->Subject.NazovSubjektu = "Firma\x01";
  const auto kv = TestDir() / "control_kv";
  const auto sv = TestDir() / "control_sv";
  for (const auto& target : {kv, sv}) std::filesystem::remove(target.string() + ".xml");
  EXPECT_THROW(ExportControlStatement(TKVFormat::Format2021, *data, kv.string()), EAppException);
  EXPECT_THROW(ExportEcSalesList(TSVLayout::Layout2020, *data, kToday, sv.string()), EAppException);
  for (const auto& target : {kv, sv})
    EXPECT_FALSE(std::filesystem::exists(target.string() + ".xml")) << target;
}

TEST(PeriodNames, MonthsAndQuartersExactly) {
  const char* months[] = {"Január", "Február", "Marec",     "Apríl",   "Máj",      "Jún",
                          "Júl",    "August",  "September", "Október", "November", "December"};
  for (int m = 0; m < 12; ++m) {
    EXPECT_EQ(MonthOfPeriod(Cp(months[m])), m + 1) << months[m];
    EXPECT_FALSE(QuarterOfPeriod(Cp(months[m])));
  }
  for (int q = 1; q <= 4; ++q)
    EXPECT_EQ(QuarterOfPeriod(Cp((std::to_string(q) + ". štvrťrok").c_str())), q);
  // UTF-8 text is not the application's text; case and blanks matter.
  for (const std::string& other :
       {std::string("Január"), Cp("január"), Cp("Január "), Cp("1.štvrťrok"), std::string("1")}) {
    EXPECT_FALSE(MonthOfPeriod(other)) << other;
    EXPECT_FALSE(QuarterOfPeriod(other)) << other;
  }
}
