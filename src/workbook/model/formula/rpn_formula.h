#pragma once
// A parsed formula: its tokens in reverse Polish order, parsed from formula text ("=1+A1*2"),
// evaluated to a number, rendered as text again, and written and read as the token bytes of a
// BIFF8 FORMULA record.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "workbook/core/exceptions.h"
#include "workbook/core/stream.h"
#include "workbook/model/formula/rpn_tokens.h"

namespace workbook {

// A formula text that does not parse; the message names the place.
class ERPNFormulaException : public EWorkbookException {
 public:
  using EWorkbookException::EWorkbookException;
  const char* ClassName() const override { return "ERPNFormulaException"; }
};

// The cell the relative forms of BIFF8 references count from.
struct TRPNBaseCell {
  int Col = 0;
  int Row = 0;
};

class TRPNFormula {
 public:
  // owner: the cell holding the formula (its sheet is where references point, its position is
  // what ROW and COLUMN give); may be null.
  explicit TRPNFormula(TExportCell* owner = nullptr);
  ~TRPNFormula();
  TRPNFormula(const TRPNFormula&) = delete;
  TRPNFormula& operator=(const TRPNFormula&) = delete;

  TExportCell* Owner() const { return owner_; }
  // The defined names references and BIFF8 name tokens use; by default the owner workbook's.
  void SetNames(const IRPNNameSource* names) { names_ = names; }
  const IRPNNameSource* Names() const;
  // The sheet references point into when there is no owner cell (rule formulas).
  void SetWorkSheet(TExportWorkSheet* sheet) { sheet_ = sheet; }

  int Count() const { return static_cast<int>(tokens_.size()); }
  const TRPNFormulaToken& GetToken(int index) const {
    return *tokens_[static_cast<std::size_t>(index)];
  }
  void Clear() { tokens_.clear(); }

  // Parses text (an optional leading "="); false, with no tokens left, when it is no formula.
  bool ParseFormula(const std::u16string& text);
  // The same, raising ERPNFormulaException with the reason.
  void Parse(const std::u16string& text);

  // The value; 0.0 when the evaluation fails (Evaluate tells the error).
  double Calculate();
  TRPNValue Evaluate();
  // True while this formula is being evaluated (a reference back to it is circular).
  bool Evaluating() const { return evaluating_; }
  // How many formula evaluations are nested on this thread right now.
  static int EvaluationDepth();

  // The formula text without "="; empty when the tokens form no single expression.
  void GetFormulaText(std::u16string& text) const;
  std::u16string GetFormulaText() const;
  // The rendered text as XLSX ("f" element: no "=") and OpenDocument ("of:=" with bracketed
  // references and ";" between arguments) store it; empty when the rendering is.
  std::u16string GetXLSXText() const;
  std::u16string GetODSText() const;

  // False when a reference lies beyond the 256 columns and 65536 rows of a BIFF8 sheet.
  bool CanWriteXLS() const;
  // The token bytes (without their length word). With a base cell, as rule formulas are written,
  // references take their relative forms (ptgRefN, ptgAreaN), counted from that cell.
  std::vector<std::uint8_t> GetXLSTokens(const TRPNBaseCell* base = nullptr) const;
  // A whole FORMULA record (id 0x0006) for the cell at row, col with XF word XFIndex + 16: the
  // cached result (a number, or the BIFF8 form of its error), options 0x0002 (calculate on
  // load), the token bytes. EWorkbookException when the tokens do not fit a BIFF8 sheet or record
  // (CanWriteXLS tells beforehand).
  void WriteXLS(TStream& stream, int row, int col, int xfIndex, TRPNValue result) const;
  // The same with an error for its result, by its BIFF8 code.
  void WriteXLSError(TStream& stream, int row, int col, int xfIndex, std::uint8_t code) const;
  // The same with a truth value for its result.
  void WriteXLSBoolean(TStream& stream, int row, int col, int xfIndex, bool value) const;
  // The same with a text result: the FORMULA record, then (for a text that is not empty) the
  // STRING record holding text.
  void WriteXLSText(TStream& stream, int row, int col, int xfIndex, std::u16string_view text) const;
  // Reads token bytes: length bytes, or with length 0 a 16-bit length first. Tokens this engine
  // does not know leave the formula empty; bytes missing from the stream, a token running past
  // the length or more bytes than a BIFF8 record holds raise EWorkbookFileException.
  void ReadXLS(TStream& stream, std::uint16_t length);
  // The relative forms of references count from base.
  void ReadXLSTokens(const std::vector<std::uint8_t>& bytes, TRPNBaseCell base = {});

 private:
  TRPNContext Context() const;
  // The FORMULA record with the 8 bytes of its cached result.
  void WriteXLSRecord(TStream& stream, int row, int col, int xfIndex, std::uint64_t result) const;

  TExportCell* owner_;
  TExportWorkSheet* sheet_ = nullptr;
  const IRPNNameSource* names_ = nullptr;
  std::vector<TRPNTokenPtr> tokens_;
  bool evaluating_ = false;
};

}  // namespace workbook
