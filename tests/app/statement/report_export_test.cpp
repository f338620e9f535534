// The two XML exports as the commands run them (the window tests check the files they write).
#include <gtest/gtest.h>

#include <filesystem>

#include "app/statement/control_statement_xml.h"
#include "app/statement/ec_sales_list_xml.h"
#include "app/statement/errors.h"
#include "statement_fixture.h"

using namespace app;
using namespace app::test;

// A settings value never passes the row checks: the writers stop it themselves.
TEST(ReportExport, ControlCharacterAnywhereWritesNoReport) {
  const auto dir = TestFolder();
  const auto data = FullStatement();
  data->Subject.NazovSubjektu = "Firma\x01";
  const auto kv = dir / "control_kv";
  const auto sv = dir / "control_sv";
  EXPECT_THROW(ExportControlStatement(TKVFormat::Format2021, *data, kv.string()), EAppException);
  EXPECT_THROW(ExportEcSalesList(TSVLayout::Layout2020, *data, kToday, sv.string()), EAppException);
  for (const auto& target : {kv, sv})
    EXPECT_FALSE(std::filesystem::exists(target.string() + ".xml")) << target;
}
