#pragma once
// The tokens of a parsed formula, in reverse Polish order. Operands push themselves on the work
// stack, operators and functions replace their operands by the result; every token knows its
// BIFF8 bytes and its part of the formula text.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "workbook/model/formula/rpn_names.h"
#include "workbook/model/formula/rpn_stack.h"
#include "workbook/model/formula/rpn_types.h"

namespace workbook {

class TExportCell;
class TExportWorkSheet;
class TRPNByteReader;

// Where an evaluation runs: the formula's cell (for ROW and COLUMN), the sheet its references
// point into and the workbook's defined names.
struct TRPNContext {
  TExportCell* Cell = nullptr;
  TExportWorkSheet* WorkSheet = nullptr;
  const IRPNNameSource* Names = nullptr;
};

enum class TRPNTokenKind : std::uint8_t {
  Cell,
  CellRange,
  NamedCellRange,
  Number,
  Operator,
  Function,
  VarFunction,
  Attribute,
  LeftParenthesis,
  RightParenthesis,
};

class TRPNFormulaToken {
 public:
  virtual ~TRPNFormulaToken() = default;
  virtual TRPNTokenKind Kind() const = 0;

  // The BIFF8 forms are no virtual members: formats/xls defines them, these two handing the token
  // to its kind's own, so the formula engine links no format code.
  // Appends the token's BIFF8 bytes; next is the token after it in the formula (null at the end).
  void WriteXLS(std::vector<std::uint8_t>& out, const TRPNFormulaToken* next,
                const IRPNNameSource* names) const;
  // Reads the operands after the ptg byte ptg (none for the kinds without any). False: the token
  // cannot be kept; with ignore the reading goes on without it, else the whole formula is dropped.
  bool ReadXLS(TRPNByteReader& reader, const IRPNNameSource* names, bool& ignore, std::uint8_t ptg);
  // Operands push themselves; operators and functions replace their operands by the result.
  virtual void Calculate(TRPNStack& stack, const TRPNContext& context) const;
  // The value of an operand.
  virtual TRPNValue GetValue(const TRPNContext& context) const;
  // The values a SUM, AVERAGE, MIN, MAX, AND or OR argument contributes.
  virtual void CreateCalculateMember(std::vector<TRPNValue>& members,
                                     const TRPNContext& context) const;
  // Operands push their text; the others combine the texts on the stack.
  virtual void BuildFormulaText(TRPNTextStack& stack, const TRPNFormulaToken* next) const;
  virtual std::u16string GetText() const { return std::u16string(); }

  bool IsFunction() const {
    return Kind() == TRPNTokenKind::Function || Kind() == TRPNTokenKind::VarFunction;
  }
};

using TRPNTokenPtr = std::unique_ptr<TRPNFormulaToken>;

class TRPNFormulaTokenCell : public TRPNFormulaToken {
 public:
  int Column = 0;
  int Row = 0;
  bool ColAbsolute = false;
  bool RowAbsolute = false;

  TRPNTokenKind Kind() const override { return TRPNTokenKind::Cell; }
  void WriteXLS(std::vector<std::uint8_t>& out, const TRPNFormulaToken* next,
                const IRPNNameSource* names) const;
  // The relative form (ptgRefN): relative parts as offsets from the cell baseCol, baseRow.
  void WriteXLSRelative(std::vector<std::uint8_t>& out, int baseCol, int baseRow) const;
  bool ReadXLS(TRPNByteReader& reader, const IRPNNameSource* names, bool& ignore, std::uint8_t ptg);
  TRPNValue GetValue(const TRPNContext& context) const override;
  void CreateCalculateMember(std::vector<TRPNValue>& members,
                             const TRPNContext& context) const override;
  std::u16string GetText() const override;
};

class TRPNFormulaTokenCellRange : public TRPNFormulaToken {
 public:
  TRPNRange Range;

  TRPNTokenKind Kind() const override { return TRPNTokenKind::CellRange; }
  void WriteXLS(std::vector<std::uint8_t>& out, const TRPNFormulaToken* next,
                const IRPNNameSource* names) const;
  // The relative form (ptgAreaN): relative parts as offsets from the cell baseCol, baseRow.
  void WriteXLSRelative(std::vector<std::uint8_t>& out, int baseCol, int baseRow) const;
  bool ReadXLS(TRPNByteReader& reader, const IRPNNameSource* names, bool& ignore, std::uint8_t ptg);
  TRPNValue GetValue(const TRPNContext& context) const override;
  void CreateCalculateMember(std::vector<TRPNValue>& members,
                             const TRPNContext& context) const override;
  std::u16string GetText() const override;

 protected:
  static TRPNValue RangeValue(const TRPNRange& range, const TRPNContext& context);
  static void RangeMembers(const TRPNRange& range, std::vector<TRPNValue>& members,
                           const TRPNContext& context);
};

class TRPNFormulaTokenNamedCellRange : public TRPNFormulaTokenCellRange {
 public:
  std::u16string Name;

  TRPNTokenKind Kind() const override { return TRPNTokenKind::NamedCellRange; }
  void WriteXLS(std::vector<std::uint8_t>& out, const TRPNFormulaToken* next,
                const IRPNNameSource* names) const;
  bool ReadXLS(TRPNByteReader& reader, const IRPNNameSource* names, bool& ignore, std::uint8_t ptg);
  TRPNValue GetValue(const TRPNContext& context) const override;
  void CreateCalculateMember(std::vector<TRPNValue>& members,
                             const TRPNContext& context) const override;
  std::u16string GetText() const override { return Name; }
};

class TRPNFormulaTokenNumber : public TRPNFormulaToken {
 public:
  double Value = 0.0;

  TRPNTokenKind Kind() const override { return TRPNTokenKind::Number; }
  void WriteXLS(std::vector<std::uint8_t>& out, const TRPNFormulaToken* next,
                const IRPNNameSource* names) const;
  // ptg 0x1E carries a 16-bit integer, 0x1F a double.
  bool ReadXLS(TRPNByteReader& reader, const IRPNNameSource* names, bool& ignore, std::uint8_t ptg);
  TRPNValue GetValue(const TRPNContext&) const override { return TRPNValue::Of(Value); }
  void CreateCalculateMember(std::vector<TRPNValue>& members,
                             const TRPNContext& context) const override;
  std::u16string GetText() const override;
};

class TRPNFormulaTokenOperator : public TRPNFormulaToken {
 public:
  TRPNOperator Operator = TRPNOperator::Add;

  TRPNTokenKind Kind() const override { return TRPNTokenKind::Operator; }
  void WriteXLS(std::vector<std::uint8_t>& out, const TRPNFormulaToken* next,
                const IRPNNameSource* names) const;
  void Calculate(TRPNStack& stack, const TRPNContext& context) const override;
  void BuildFormulaText(TRPNTextStack& stack, const TRPNFormulaToken* next) const override;
};

class TRPNFormulaTokenFunction : public TRPNFormulaToken {
 public:
  TRPNFunction Func = TRPNFunction::rfRow;

  TRPNTokenKind Kind() const override { return TRPNTokenKind::Function; }
  void WriteXLS(std::vector<std::uint8_t>& out, const TRPNFormulaToken* next,
                const IRPNNameSource* names) const;
  bool ReadXLS(TRPNByteReader& reader, const IRPNNameSource* names, bool& ignore, std::uint8_t ptg);
  void Calculate(TRPNStack& stack, const TRPNContext& context) const override;
  void BuildFormulaText(TRPNTextStack& stack, const TRPNFormulaToken* next) const override;
};

class TRPNFormulaTokenVarFunction : public TRPNFormulaToken {
 public:
  int Index = 0;  // into the variable-argument functions
  int ArgCount = 0;

  TRPNTokenKind Kind() const override { return TRPNTokenKind::VarFunction; }
  void WriteXLS(std::vector<std::uint8_t>& out, const TRPNFormulaToken* next,
                const IRPNNameSource* names) const;
  bool ReadXLS(TRPNByteReader& reader, const IRPNNameSource* names, bool& ignore, std::uint8_t ptg);
  void Calculate(TRPNStack& stack, const TRPNContext& context) const override;
  void BuildFormulaText(TRPNTextStack& stack, const TRPNFormulaToken* next) const override;
};

// The marker before each function argument.
class TRPNFormulaTokenAttribute : public TRPNFormulaToken {
 public:
  std::uint8_t Options = 0x01;

  TRPNTokenKind Kind() const override { return TRPNTokenKind::Attribute; }
  void WriteXLS(std::vector<std::uint8_t>& out, const TRPNFormulaToken* next,
                const IRPNNameSource* names) const;
  bool ReadXLS(TRPNByteReader& reader, const IRPNNameSource* names, bool& ignore, std::uint8_t ptg);
};

class TRPNFormulaTokenLeftParenthesis : public TRPNFormulaToken {
 public:
  TRPNTokenKind Kind() const override { return TRPNTokenKind::LeftParenthesis; }
  void WriteXLS(std::vector<std::uint8_t>&, const TRPNFormulaToken*, const IRPNNameSource*) const {}
};

class TRPNFormulaTokenRightParenthesis : public TRPNFormulaToken {
 public:
  TRPNTokenKind Kind() const override { return TRPNTokenKind::RightParenthesis; }
  // Nothing when a function follows: the function has its own parentheses.
  void WriteXLS(std::vector<std::uint8_t>& out, const TRPNFormulaToken* next,
                const IRPNNameSource* names) const;
  void BuildFormulaText(TRPNTextStack& stack, const TRPNFormulaToken* next) const override;
};

}  // namespace workbook
