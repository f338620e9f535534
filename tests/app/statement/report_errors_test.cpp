#include "app/statement/report_errors.h"

#include <gtest/gtest.h>

#include "statement_fixture.h"

using namespace app;
using namespace app::test;

// Each report counts the error rows of its own sections; the statement also fails with more than
// two B31, D1 or D2 rows.
TEST(ReportErrors, EachReportCountsItsSections) {
  struct Case {
    const char* what;
    TSection section;
    int errorRows;
    int extraRows;  // records added to the section beyond FullStatement's
    TReportErrors statement;
    TReportErrors salesList;
  } cases[] = {
      {"none", TSection::A1, 0, 0, {0, false}, {0, false}},
      {"A1 errors", TSection::A1, 3, 0, {3, false}, {0, false}},
      {"D2 errors", TSection::D2, 1, 0, {1, false}, {0, false}},
      {"SV2 errors", TSection::SV2, 2, 0, {0, false}, {2, false}},
      {"three D1 rows", TSection::D1, 0, 2, {0, true}, {0, false}},
      {"three B31 rows", TSection::B31, 0, 2, {0, true}, {0, false}},
      {"many C1 rows", TSection::C1, 0, 5, {0, false}, {0, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto data = FullStatement();
    data->ErrorRows[SectionIndex(c.section)] = c.errorRows;
    for (int i = 0; i < c.extraRows; ++i) {
      if (c.section == TSection::D1) Add(data->RowsD1, {});
      if (c.section == TSection::B31) Add(data->RowsB31, {});
      if (c.section == TSection::C1) Add(data->RowsC1, {});
    }
    const TReportErrors statement = ControlStatementErrors(*data);
    EXPECT_EQ(statement.ErrorRows, c.statement.ErrorRows);
    EXPECT_EQ(statement.TooManyRows, c.statement.TooManyRows);
    EXPECT_EQ(statement.Any(), c.statement.ErrorRows > 0 || c.statement.TooManyRows);
    const TReportErrors salesList = EcSalesListErrors(*data);
    EXPECT_EQ(salesList.ErrorRows, c.salesList.ErrorRows);
    EXPECT_FALSE(salesList.TooManyRows);
  }
}

TEST(ReportErrors, ClearingTheRowsClearsTheirErrors) {
  auto data = FullStatement();
  data->ErrorRows.fill(4);
  data->ClearRows();
  EXPECT_FALSE(ControlStatementErrors(*data).Any());
  EXPECT_FALSE(EcSalesListErrors(*data).Any());
}
