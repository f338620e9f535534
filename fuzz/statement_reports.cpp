#include "statement_reports.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/statement/control_statement_xml.h"
#include "app/statement/ec_sales_list_xml.h"
#include "app/statement/errors.h"
#include "app/statement/xml_chars.h"
#include "fuzz_support.h"

namespace fuzz {
namespace {

void Check(const app::TTextLines& lines) {
  try {
    app::RequireXmlLines(lines);
  } catch (const app::EAppException&) {
    return;  // refused before anything is written
  }
  if (!WellFormed(app::LinesToUtf8(lines))) {
    std::fputs("a report passed the checks but is not well-formed XML\n", stderr);
    std::abort();
  }
}

}  // namespace

void CheckReports(const app::TData& data) {
  using app::TKVFormat;
  for (TKVFormat format :
       {TKVFormat::Format2014, TKVFormat::Format2016, TKVFormat::Format2017, TKVFormat::Format2021})
    Check(app::BuildControlStatement(format, data));
  const std::chrono::year_month_day today{std::chrono::year{2024}, std::chrono::month{1},
                                          std::chrono::day{31}};
  for (app::TSVLayout layout : {app::TSVLayout::Layout2014, app::TSVLayout::Layout2020}) {
    try {
      Check(app::BuildEcSalesList(layout, data, today));
    } catch (const app::EAppException&) {
      // a total that is no whole number: the command shows the conversion error
    }
  }
}

}  // namespace fuzz
