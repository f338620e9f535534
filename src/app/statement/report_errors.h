#pragma once
// What the last import found wrong in the rows a report carries. The exports write such rows as
// they were read, so they warn before writing a document the authority will refuse.
#include "app/statement/data.h"

namespace app {

struct TReportErrors {
  int ErrorRows = 0;         // accepted rows with an error listed
  bool TooManyRows = false;  // B31, D1 or D2 holds more rows than the statement takes
  bool Any() const { return ErrorRows > 0 || TooManyRows; }
};

// Sections A1 to D2.
TReportErrors ControlStatementErrors(const TData& data);
// Sections SV1 and SV2.
TReportErrors EcSalesListErrors(const TData& data);

}  // namespace app
