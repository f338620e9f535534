#pragma once
// The EC sales list document in either of the authority's two layouts, built as lines for
// SaveTextLines so it is saved like every other file of the program.
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
                              std::chrono::year_month_day today, const std::string& chosenName);

}  // namespace app
