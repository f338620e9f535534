#include "workbook/model/formula/rpn_types.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "workbook/core/exceptions.h"

namespace workbook {

namespace {

constexpr std::array<TRPNOperatorInfo, 14> kOperators = {{
    {u"+", 2, false, 2, 0x03},
    {u"-", 2, false, 2, 0x04},
    {u"*", 3, false, 2, 0x05},
    {u"/", 3, false, 2, 0x06},
    {u"^", 4, false, 2, 0x07},
    {u"+", 5, true, 1, 0x12},
    {u"-", 5, true, 1, 0x13},
    {u"%", 5, true, 1, 0x14},
    {u"=", 1, false, 2, 0x0B},
    {u"<>", 1, false, 2, 0x0E},
    {u"<", 1, false, 2, 0x09},
    {u"<=", 1, false, 2, 0x0A},
    {u">", 1, false, 2, 0x0D},
    {u">=", 1, false, 2, 0x0C},
}};

constexpr std::array<TRPNFunctionInfo, kRPNFunctionCount> kFunctions = {{
    {u"ROW", 8, 0},         {u"COLUMN", 9, 0},  {u"SIN", 15, 1},      {u"COS", 16, 1},
    {u"TAN", 17, 1},        {u"ATAN", 18, 1},   {u"PI", 19, 0},       {u"SQRT", 20, 1},
    {u"EXP", 21, 1},        {u"LN", 22, 1},     {u"LOG10", 23, 1},    {u"ABS", 24, 1},
    {u"INT", 25, 1},        {u"SIGN", 26, 1},   {u"ROUND", 27, 2},    {u"DATE", 65, 3},
    {u"TIME", 66, 3},       {u"DAY", 67, 1},    {u"MONTH", 68, 1},    {u"YEAR", 69, 1},
    {u"WEEKDAY", 70, 1},    {u"HOUR", 71, 1},   {u"MINUTE", 72, 1},   {u"SECOND", 73, 1},
    {u"NOW", 74, 0},        {u"ASIN", 98, 1},   {u"ACOS", 99, 1},     {u"DATEVALUE", 140, 1},
    {u"TIMEVALUE", 141, 1}, {u"TODAY", 221, 0}, {u"ROUNDUP", 212, 2}, {u"ROUNDDOWN", 213, 2},
    {u"SINH", 229, 1},      {u"COSH", 230, 1},  {u"TANH", 231, 1},    {u"ASINH", 232, 1},
    {u"ACOSH", 233, 1},     {u"ATANH", 234, 1}, {u"TRUE", 34, 0},     {u"FALSE", 35, 0},
    {u"NOT", 38, 1},
}};

constexpr std::array<TRPNMultiFunctionInfo, kRPNMultiFunctionCount> kMultiFunctions = {{
    {u"SUM", 4},
    {u"AVERAGE", 5},
    {u"MIN", 6},
    {u"MAX", 7},
    {u"TRUNC", 197},
    {u"AND", 36},
    {u"OR", 37},
}};

std::u16string Upper(std::u16string_view text) {
  std::u16string result(text);
  for (char16_t& c : result)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return result;
}

}  // namespace

const TRPNOperatorInfo& RPNOperatorInfo(TRPNOperator op) {
  return kOperators[static_cast<std::size_t>(op)];
}

TRPNOperator StrToRPNOperator(std::u16string_view text, bool unary) {
  if (unary && text == u"+") return TRPNOperator::UnaryPlus;
  if (unary && text == u"-") return TRPNOperator::UnaryMinus;
  for (std::size_t i = 0; i < kOperators.size(); ++i) {
    auto op = static_cast<TRPNOperator>(i);
    if (op == TRPNOperator::UnaryPlus || op == TRPNOperator::UnaryMinus) continue;
    if (kOperators[i].Text == text) return op;
  }
  throw EWorkbookException(u"StrToRPNOperator: invalid string \"" + std::u16string(text) + u"\".");
}

bool RPNOperatorFromPtg(std::uint8_t ptg, TRPNOperator& op) {
  for (std::size_t i = 0; i < kOperators.size(); ++i)
    if (kOperators[i].Ptg == ptg) {
      op = static_cast<TRPNOperator>(i);
      return true;
    }
  return false;
}

const TRPNFunctionInfo& RPNFunctionInfo(TRPNFunction func) {
  return kFunctions[static_cast<std::size_t>(func)];
}

bool StrToRPNFunction(std::u16string_view name, TRPNFunction& func) {
  const std::u16string upper = Upper(name);
  for (std::size_t i = 0; i < kFunctions.size(); ++i)
    if (kFunctions[i].Name == upper) {
      func = static_cast<TRPNFunction>(i);
      return true;
    }
  return false;
}

bool RPNFunctionFromId(std::uint16_t id, TRPNFunction& func) {
  for (std::size_t i = 0; i < kFunctions.size(); ++i)
    if (kFunctions[i].Id == id) {
      func = static_cast<TRPNFunction>(i);
      return true;
    }
  return false;
}

const TRPNMultiFunctionInfo& RPNMultiFunctionInfo(int index) {
  return kMultiFunctions[static_cast<std::size_t>(index)];
}

bool StrToRPNMultiFunction(std::u16string_view name, int& index) {
  const std::u16string upper = Upper(name);
  for (std::size_t i = 0; i < kMultiFunctions.size(); ++i)
    if (kMultiFunctions[i].Name == upper) {
      index = static_cast<int>(i);
      return true;
    }
  return false;
}

bool RPNMultiFunctionFromId(std::uint16_t id, int& index) {
  for (std::size_t i = 0; i < kMultiFunctions.size(); ++i)
    if (kMultiFunctions[i].Id == id) {
      index = static_cast<int>(i);
      return true;
    }
  return false;
}

std::u16string RPNErrorText(TRPNError error) {
  switch (error) {
    case TRPNError::None:
      return std::u16string();
    case TRPNError::DivZero:
      return u"#DIV/0!";
    case TRPNError::Value:
      return u"#VALUE!";
    case TRPNError::Num:
      return u"#NUM!";
    case TRPNError::Ref:
      return u"#REF!";
  }
  return std::u16string();
}

TRPNValue TRPNValue::Of(double value) {
  return std::isfinite(value) ? TRPNValue{value, TRPNError::None} : Fail(TRPNError::Num);
}

bool RPNSameValue(double a, double b) {
  const double tolerance = std::max(std::min(std::fabs(a), std::fabs(b)) * 1e-12, 1e-12);
  return std::fabs(a - b) <= tolerance;
}

}  // namespace workbook
