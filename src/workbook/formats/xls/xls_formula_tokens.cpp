#include "workbook/formats/xls/xls_formula_tokens.h"

#include "workbook/model/formula/rpn_formula.h"

namespace workbook {

std::vector<std::uint8_t> TXLSFormulaTokens::Encode(const std::u16string& formula, int baseCol,
                                                    int baseRow) {
  TRPNFormula parsed;
  parsed.SetWorkSheet(sheet_);
  if (names_ != nullptr) parsed.SetNames(names_);
  if (!parsed.ParseFormula(formula) || !parsed.CanWriteXLS()) return {};
  const TRPNBaseCell base{baseCol, baseRow};
  return parsed.GetXLSTokens(&base);
}

std::u16string TXLSFormulaTokens::Decode(std::span<const std::uint8_t> tokens, int baseCol,
                                         int baseRow) {
  TRPNFormula parsed;
  parsed.SetWorkSheet(sheet_);
  if (names_ != nullptr) parsed.SetNames(names_);
  parsed.ReadXLSTokens(std::vector<std::uint8_t>(tokens.begin(), tokens.end()),
                       TRPNBaseCell{baseCol, baseRow});
  return parsed.GetFormulaText();
}

}  // namespace workbook
