#pragma once
// Formula text to BIFF8 token bytes and back through the formula engine, for the formulas that
// live outside cells (conditional-format rules), with references into one worksheet.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace workbook {

class TExportCell;
class TExportWorkSheet;
class IRPNNameSource;

// Gives cell the formula text of BIFF8 token bytes (with its "="); a formula of tokens this
// engine does not know leaves the cell without formula text.
void RPNReadXLSFormula(TExportCell& cell, std::span<const std::uint8_t> tokens);

// Formula text to BIFF8 tokens and back (the formula engine provides it). Relative references
// take their relative forms, counted from the base cell baseCol, baseRow.
class IXLSFormulaTokens {
 public:
  virtual ~IXLSFormulaTokens() = default;
  virtual std::vector<std::uint8_t> Encode(const std::u16string& formula, int baseCol,
                                           int baseRow) = 0;
  virtual std::u16string Decode(std::span<const std::uint8_t> tokens, int baseCol, int baseRow) = 0;
};

class TXLSFormulaTokens : public IXLSFormulaTokens {
 public:
  // names: the defined names name tokens use (nullptr: the worksheet's workbook's).
  TXLSFormulaTokens(TExportWorkSheet* sheet, const IRPNNameSource* names)
      : sheet_(sheet), names_(names) {}
  // No tokens for a text that does not parse or does not fit a BIFF8 sheet.
  std::vector<std::uint8_t> Encode(const std::u16string& formula, int baseCol,
                                   int baseRow) override;
  // Empty for tokens the engine does not know.
  std::u16string Decode(std::span<const std::uint8_t> tokens, int baseCol, int baseRow) override;

 private:
  TExportWorkSheet* sheet_;
  const IRPNNameSource* names_;
};

}  // namespace workbook
