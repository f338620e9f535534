#pragma once
// The workbook's defined names as the formula engine looks them up.
#include "workbook/model/formula/rpn_names.h"

namespace workbook {

class TExportNamedCells;

class TExportNamedCellsFormulaSource : public IRPNNameSource {
 public:
  explicit TExportNamedCellsFormulaSource(const TExportNamedCells& names) : names_(names) {}

  // Whole-row and whole-column names reach the edges of the largest sheet; names are absolute.
  bool FindName(std::u16string_view name, TRPNRange& range) const override;
  int NamePosition(std::u16string_view name) const override;
  bool NameAtPosition(int position, std::u16string& name) const override;

 private:
  const TExportNamedCells& names_;
};

}  // namespace workbook
