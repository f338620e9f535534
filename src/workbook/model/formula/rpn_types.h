#pragma once
// The vocabulary of formulas: operators, the functions with a fixed and with a variable number of
// arguments (names as written, BIFF8 function numbers), and the value an evaluation step gives,
// which is a number or a spreadsheet error.
#include <cstdint>
#include <string>
#include <string_view>

namespace workbook {

enum class TRPNOperator : std::uint8_t {
  Add,
  Subtract,
  Multiply,
  Divide,
  Power,
  UnaryPlus,
  UnaryMinus,
  Percent,
  Equal,
  NotEqual,
  Less,
  LessEqual,
  Greater,
  GreaterEqual,
};

struct TRPNOperatorInfo {
  std::u16string_view Text;
  int Precedence;
  bool RightAssociative;
  int Operands;
  std::uint8_t Ptg;
};

const TRPNOperatorInfo& RPNOperatorInfo(TRPNOperator op);
// The operator of text; unary picks the one-operand "+" and "-". EWorkbookException
// "StrToRPNOperator: invalid string "<text>"." for a text that is no operator.
TRPNOperator StrToRPNOperator(std::u16string_view text, bool unary);
// The operator written as the BIFF8 token ptg; false for any other byte.
bool RPNOperatorFromPtg(std::uint8_t ptg, TRPNOperator& op);

enum class TRPNFunction : std::uint8_t {
  rfRow,
  rfColumn,
  rfSin,
  rfCos,
  rfTan,
  rfAtan,
  rfPi,
  rfSqrt,
  rfExp,
  rfLn,
  rfLog10,
  rfAbs,
  rfInt,
  rfSign,
  rfRound,
  rfDate,
  rfTime,
  rfDay,
  rfMonth,
  rfYear,
  rfWeekday,
  rfHour,
  rfMinute,
  rfSecond,
  rfNow,
  rfAsin,
  rfAcos,
  rfDateValue,
  rfTimeValue,
  rfToday,
  rfRoundUp,
  rfRoundDown,
  rfSinh,
  rfCosh,
  rfTanh,
  rfAsinh,
  rfAcosh,
  rfAtanh,
  rfTrue,
  rfFalse,
  rfNot,
};
inline constexpr int kRPNFunctionCount = 41;

struct TRPNFunctionInfo {
  std::u16string_view Name;
  std::uint16_t Id;  // BIFF8 function number
  int Args;
};

const TRPNFunctionInfo& RPNFunctionInfo(TRPNFunction func);
// Case-insensitive lookups of a name as written in a formula.
bool StrToRPNFunction(std::u16string_view name, TRPNFunction& func);
bool RPNFunctionFromId(std::uint16_t id, TRPNFunction& func);

// The functions with a variable number of arguments, by their index 0..6.
enum class TRPNMultiFunction : std::uint8_t { Sum, Average, Min, Max, Trunc, And, Or };
inline constexpr int kRPNMultiFunctionCount = 7;

struct TRPNMultiFunctionInfo {
  std::u16string_view Name;
  std::uint16_t Id;
};

const TRPNMultiFunctionInfo& RPNMultiFunctionInfo(int index);
bool StrToRPNMultiFunction(std::u16string_view name, int& index);
bool RPNMultiFunctionFromId(std::uint16_t id, int& index);

// What goes wrong in an evaluation is kept as the spreadsheet error it shows as, never as a
// NaN or an infinity that would end up in a file or a cell text.
enum class TRPNError : std::uint8_t {
  None,
  DivZero,  // division by zero
  Value,    // an operator or function without its operands
  Num,      // a result outside the numbers (domain error, overflow, no such date)
  Ref,      // a circular reference, or a chain of formulas too deep to follow
};

// "#DIV/0!", "#VALUE!", "#NUM!", "#REF!"; empty for None.
std::u16string RPNErrorText(TRPNError error);

struct TRPNValue {
  double Value = 0.0;
  TRPNError Error = TRPNError::None;

  static TRPNValue Of(double value);  // a NaN or an infinity becomes #NUM!
  static TRPNValue Fail(TRPNError error) { return {0.0, error}; }
  bool Failed() const { return Error != TRPNError::None; }
};

// Equal within the library's tolerance: |A - B| <= max(min(|A|, |B|) * 1e-12, 1e-12).
bool RPNSameValue(double a, double b);

}  // namespace workbook
