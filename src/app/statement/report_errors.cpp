#include "app/statement/report_errors.h"

namespace app {

TReportErrors ControlStatementErrors(const TData& data) {
  TReportErrors errors;
  for (TSection section : kSections)
    if (section != TSection::SV1 && section != TSection::SV2)
      errors.ErrorRows += data.ErrorRows[SectionIndex(section)];
  constexpr std::size_t limit = kLimitedSectionRows;
  errors.TooManyRows =
      data.RowsB31.size() > limit || data.RowsD1.size() > limit || data.RowsD2.size() > limit;
  return errors;
}

TReportErrors EcSalesListErrors(const TData& data) {
  TReportErrors errors;
  errors.ErrorRows =
      data.ErrorRows[SectionIndex(TSection::SV1)] + data.ErrorRows[SectionIndex(TSection::SV2)];
  return errors;
}

}  // namespace app
