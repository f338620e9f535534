#pragma once
// The EC sales list ("súhrnný výkaz DPH") as the tax authority's "universal.xsd" document, in its
// 2014-2019 and its from-2020 layout: the document's lines, ready for
// SaveTextLines(lines, name, ".xml").
#include <chrono>

#include "app/statement/data.h"
#include "app/statement/text_lines.h"

namespace app {

enum class TSVLayout {
  Layout2014,  // "XML od 1.1.2014 do 31.12.2019": 27 records a page, SV2 not written
  Layout2020,  // "XML od 1.1.2020": 12 SV1 and 12 SV2 records a page
};

// The whole document from the header, the taxpayer and the SV1 and SV2 rows; `today` is the
// declaration date. Every value stands in a CDATA section. Raises EConvertError when an SV1 amount
// is not a whole number (the total is a whole number of euros); nothing is produced then.
TTextLines BuildEcSalesList(TSVLayout layout, const TData& data, std::chrono::year_month_day today);

// BuildEcSalesList saved as the chosen name + ".xml"; returns the name written. Nothing is
// written when the document cannot be built.
std::string ExportEcSalesList(TSVLayout layout, const TData& data,
                              std::chrono::year_month_day today, const std::string& chosen_name);

}  // namespace app
