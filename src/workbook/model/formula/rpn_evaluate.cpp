// Evaluation and text building of operators and functions.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

#include "platform/date_time.h"
#include "workbook/model/cell.h"
#include "workbook/model/formula/rpn_tokens.h"

namespace workbook {

namespace {

TRPNValue ItemValue(const TRPNStackItem& item, const TRPNContext& context) {
  return item.Token ? item.Token->GetValue(context) : item.Value;
}

// The top count values, the deepest first.
std::vector<TRPNValue> TopValues(const TRPNStack& stack, std::size_t count,
                                 const TRPNContext& context) {
  std::vector<TRPNValue> values;
  for (std::size_t i = count; i > 0; --i) values.push_back(ItemValue(stack.Peek(i - 1), context));
  return values;
}

const TRPNValue* FirstError(const std::vector<TRPNValue>& values) {
  for (const TRPNValue& value : values)
    if (value.Failed()) return &value;
  return nullptr;
}

TRPNValue Bool(bool value) { return TRPNValue::Of(value ? 1.0 : 0.0); }

// Rounded half to even and within limit, so huge or fractional counts stay usable as exponents.
double RoundedCount(double value, double limit) {
  return std::clamp(std::nearbyint(value), -limit, limit);
}

TRPNValue Power(double base, double exponent) {
  if (exponent == 0) return TRPNValue::Of(1.0);
  if (base == 0) return exponent > 0 ? TRPNValue::Of(0.0) : TRPNValue::Fail(TRPNError::DivZero);
  return TRPNValue::Of(std::pow(base, exponent));
}

TRPNValue Binary(TRPNOperator op, double left, double right) {
  switch (op) {
    case TRPNOperator::Add:
      return TRPNValue::Of(left + right);
    case TRPNOperator::Subtract:
      return TRPNValue::Of(left - right);
    case TRPNOperator::Multiply:
      return TRPNValue::Of(left * right);
    case TRPNOperator::Divide:
      if (RPNSameValue(right, 0)) return TRPNValue::Fail(TRPNError::DivZero);
      return TRPNValue::Of(left / right);
    case TRPNOperator::Power:
      return Power(left, right);
    case TRPNOperator::Equal:
      return Bool(RPNSameValue(left, right));
    case TRPNOperator::NotEqual:
      return Bool(!RPNSameValue(left, right));
    case TRPNOperator::Less:
      return Bool(left < right);
    case TRPNOperator::LessEqual:
      return Bool(RPNSameValue(left, right) || left < right);
    case TRPNOperator::Greater:
      return Bool(left > right);
    case TRPNOperator::GreaterEqual:
      return Bool(RPNSameValue(left, right) || left > right);
    default:
      return TRPNValue::Fail(TRPNError::Value);
  }
}

TRPNValue Unary(TRPNOperator op, double value) {
  switch (op) {
    case TRPNOperator::UnaryPlus:
      return TRPNValue::Of(value);
    case TRPNOperator::UnaryMinus:
      return TRPNValue::Of(-value);
    default:
      return TRPNValue::Of(value / 100);
  }
}

// A whole number from a double that may be anything; false outside the int range.
bool ToInt(double value, int& result) {
  const double rounded = std::nearbyint(value);
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return false;
  result = static_cast<int>(rounded);
  return true;
}

TRPNValue Date(const std::vector<TRPNValue>& a) {
  int y, m, d;
  platform::TDateTime value;
  if (!ToInt(a[0].Value, y) || !ToInt(a[1].Value, m) || !ToInt(a[2].Value, d) ||
      !platform::TryEncodeDate(y, m, d, value))
    return TRPNValue::Fail(TRPNError::Num);
  return TRPNValue::Of(value);
}

TRPNValue Time(const std::vector<TRPNValue>& a) {
  int h, n, s;
  platform::TDateTime value;
  if (!ToInt(a[0].Value, h) || !ToInt(a[1].Value, n) || !ToInt(a[2].Value, s) ||
      !platform::TryEncodeTime(h, n, s, 0, value))
    return TRPNValue::Fail(TRPNError::Num);
  return TRPNValue::Of(value);
}

TRPNValue DatePart(TRPNFunction func, double serial) {
  platform::TDateTimeParts p;
  if (!platform::DecodeDateTime(serial, p)) return TRPNValue::Fail(TRPNError::Num);
  switch (func) {
    case TRPNFunction::rfDay:
      return TRPNValue::Of(p.Day);
    case TRPNFunction::rfMonth:
      return TRPNValue::Of(p.Month);
    case TRPNFunction::rfYear:
      return TRPNValue::Of(p.Year);
    case TRPNFunction::rfHour:
      return TRPNValue::Of(p.Hour);
    case TRPNFunction::rfMinute:
      return TRPNValue::Of(p.Minute);
    case TRPNFunction::rfSecond:
      return TRPNValue::Of(p.Second);
    default: {
      // Day 0 (30 December 1899) was a Saturday; Monday is 1.
      const auto day = static_cast<long long>(std::trunc(serial));
      return TRPNValue::Of(static_cast<double>(((day + 5) % 7 + 7) % 7 + 1));
    }
  }
}

double CurrentDateTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  platform::TDateTimeParts p;
  p.Year = local.tm_year + 1900;
  p.Month = local.tm_mon + 1;
  p.Day = local.tm_mday;
  p.Hour = local.tm_hour;
  p.Minute = local.tm_min;
  p.Second = std::min(local.tm_sec, 59);
  platform::TDateTime value = 0;
  platform::TryEncodeDateTime(p, value);
  return value;
}

TRPNValue Round(double x, double digits) {
  const double scale = std::pow(10.0, -RoundedCount(digits, 300));
  return TRPNValue::Of(std::nearbyint(x / scale) * scale);
}

TRPNValue RoundTowards(double x, double digits, bool up) {
  const double p = std::pow(10.0, RoundedCount(digits, 300));
  return TRPNValue::Of((up ? std::ceil(x * p) : std::floor(x * p)) / p);
}

TRPNValue Fixed(TRPNFunction func, const std::vector<TRPNValue>& a, const TRPNContext& context) {
  const double x = a.empty() ? 0.0 : a[0].Value;
  switch (func) {
    case TRPNFunction::rfRow:
      return TRPNValue::Of(context.Cell ? context.Cell->GetRowIndex() + 1 : 0);
    case TRPNFunction::rfColumn:
      return TRPNValue::Of(context.Cell ? context.Cell->GetColIndex() + 1 : 0);
    case TRPNFunction::rfSin:
      return TRPNValue::Of(std::sin(x));
    case TRPNFunction::rfCos:
      return TRPNValue::Of(std::cos(x));
    case TRPNFunction::rfTan:
      return TRPNValue::Of(std::tan(x));
    case TRPNFunction::rfAtan:
      return TRPNValue::Of(std::atan(x));
    case TRPNFunction::rfPi:
      return TRPNValue::Of(M_PI);
    case TRPNFunction::rfSqrt:
      return TRPNValue::Of(std::sqrt(x));
    case TRPNFunction::rfExp:
      return TRPNValue::Of(std::exp(x));
    case TRPNFunction::rfLn:
      return TRPNValue::Of(std::log(x));
    case TRPNFunction::rfLog10:
      return TRPNValue::Of(std::log10(x));
    case TRPNFunction::rfAbs:
      return TRPNValue::Of(std::fabs(x));
    case TRPNFunction::rfInt:
      return TRPNValue::Of(std::trunc(x));
    case TRPNFunction::rfSign:
      return TRPNValue::Of(x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0));
    case TRPNFunction::rfRound:
      return Round(x, a[1].Value);
    case TRPNFunction::rfDate:
      return Date(a);
    case TRPNFunction::rfTime:
      return Time(a);
    case TRPNFunction::rfDay:
    case TRPNFunction::rfMonth:
    case TRPNFunction::rfYear:
    case TRPNFunction::rfWeekday:
    case TRPNFunction::rfHour:
    case TRPNFunction::rfMinute:
    case TRPNFunction::rfSecond:
      return DatePart(func, x);
    case TRPNFunction::rfNow:
      return TRPNValue::Of(CurrentDateTime());
    case TRPNFunction::rfToday:
      return TRPNValue::Of(std::trunc(CurrentDateTime()));
    case TRPNFunction::rfAsin:
      return TRPNValue::Of(std::asin(x));
    case TRPNFunction::rfAcos:
      return TRPNValue::Of(std::acos(x));
    case TRPNFunction::rfDateValue:
      return TRPNValue::Of(std::trunc(x));
    case TRPNFunction::rfTimeValue:
      return TRPNValue::Of(x - std::trunc(x));
    case TRPNFunction::rfRoundUp:
      return RoundTowards(x, a[1].Value, true);
    case TRPNFunction::rfRoundDown:
      return RoundTowards(x, a[1].Value, false);
    case TRPNFunction::rfSinh:
      return TRPNValue::Of(std::sinh(x));
    case TRPNFunction::rfCosh:
      return TRPNValue::Of(std::cosh(x));
    case TRPNFunction::rfTanh:
      return TRPNValue::Of(std::tanh(x));
    case TRPNFunction::rfAsinh:
      return TRPNValue::Of(std::asinh(x));
    case TRPNFunction::rfAcosh:
      return TRPNValue::Of(std::acosh(x));
    case TRPNFunction::rfAtanh:
      return TRPNValue::Of(std::atanh(x));
    case TRPNFunction::rfTrue:
      return TRPNValue::Of(1.0);
    case TRPNFunction::rfFalse:
      return TRPNValue::Of(0.0);
    case TRPNFunction::rfNot:
      return Bool(RPNSameValue(x, 0));
  }
  return TRPNValue::Fail(TRPNError::Value);
}

TRPNValue Trunc(const std::vector<TRPNValue>& a) {
  if (const TRPNValue* error = FirstError(a)) return *error;
  if (a.size() == 1) return TRPNValue::Of(std::trunc(a[0].Value));
  if (a.size() != 2) return TRPNValue::Of(0.0);
  const double p = std::pow(10.0, RoundedCount(a[1].Value, 300));
  return TRPNValue::Of(std::trunc(a[0].Value * p) / p);
}

TRPNValue Aggregate(TRPNMultiFunction func, const std::vector<TRPNValue>& members) {
  if (const TRPNValue* error = FirstError(members)) return *error;
  double sum = 0;
  bool all = !members.empty(), any = false;
  for (const TRPNValue& m : members) {
    sum += m.Value;
    all = all && !RPNSameValue(m.Value, 0);
    any = any || !RPNSameValue(m.Value, 0);
  }
  auto [low, high] = std::minmax_element(members.begin(), members.end(),
                                         [](auto& a, auto& b) { return a.Value < b.Value; });
  switch (func) {
    case TRPNMultiFunction::Sum:
      return TRPNValue::Of(sum);
    case TRPNMultiFunction::Average:
      return TRPNValue::Of(members.empty() ? 0.0 : sum / static_cast<double>(members.size()));
    case TRPNMultiFunction::Min:
      return TRPNValue::Of(members.empty() ? 0.0 : low->Value);
    case TRPNMultiFunction::Max:
      return TRPNValue::Of(members.empty() ? 0.0 : high->Value);
    case TRPNMultiFunction::And:
      return Bool(all);
    default:
      return Bool(any);
  }
}

// NAME(arg1,arg2,...) from the top count texts; false when the stack holds fewer.
void BuildCall(TRPNTextStack& stack, std::u16string_view name, std::size_t count) {
  if (stack.size() < count) return;
  std::u16string text(name);
  text += u"(";
  for (std::size_t i = stack.size() - count; i < stack.size(); ++i) {
    if (i > stack.size() - count) text += u",";
    text += stack[i];
  }
  text += u")";
  stack.resize(stack.size() - count);
  stack.push_back(std::move(text));
}

}  // namespace

void TRPNFormulaTokenOperator::Calculate(TRPNStack& stack, const TRPNContext& context) const {
  const auto operands = static_cast<std::size_t>(RPNOperatorInfo(Operator).Operands);
  if (stack.Count() < operands) {
    // "=1+" parses, but its operator has nothing to work on.
    stack.Pop(stack.Count());
    stack.PushValue(TRPNValue::Fail(TRPNError::Value));
    return;
  }
  const std::vector<TRPNValue> values = TopValues(stack, operands, context);
  stack.Pop(operands);
  if (const TRPNValue* error = FirstError(values)) return stack.PushValue(*error);
  stack.PushValue(operands == 1 ? Unary(Operator, values[0].Value)
                                : Binary(Operator, values[0].Value, values[1].Value));
}

void TRPNFormulaTokenOperator::BuildFormulaText(TRPNTextStack& stack,
                                                const TRPNFormulaToken*) const {
  const TRPNOperatorInfo& info = RPNOperatorInfo(Operator);
  if (stack.size() < static_cast<std::size_t>(info.Operands)) return;
  if (info.Operands == 2) {
    std::u16string right = std::move(stack.back());
    stack.pop_back();
    stack.back() += std::u16string(info.Text) + right;
  } else if (Operator == TRPNOperator::UnaryMinus) {
    stack.back() = u"-" + stack.back();
  } else if (Operator == TRPNOperator::Percent) {
    stack.back() += u"%";
  }
}

void TRPNFormulaTokenFunction::Calculate(TRPNStack& stack, const TRPNContext& context) const {
  const auto args = static_cast<std::size_t>(RPNFunctionInfo(Func).Args);
  if (stack.Count() < args) return;
  const std::vector<TRPNValue> values = TopValues(stack, args, context);
  stack.Pop(args);
  if (const TRPNValue* error = FirstError(values)) return stack.PushValue(*error);
  stack.PushValue(Fixed(Func, values, context));
}

void TRPNFormulaTokenFunction::BuildFormulaText(TRPNTextStack& stack,
                                                const TRPNFormulaToken*) const {
  const TRPNFunctionInfo& info = RPNFunctionInfo(Func);
  BuildCall(stack, info.Name, static_cast<std::size_t>(info.Args));
}

void TRPNFormulaTokenVarFunction::Calculate(TRPNStack& stack, const TRPNContext& context) const {
  const auto args = static_cast<std::size_t>(std::max(ArgCount, 0));
  if (stack.Count() < args) {
    stack.Pop(stack.Count());
    stack.PushValue(TRPNValue::Fail(TRPNError::Value));
    return;
  }
  const auto func = static_cast<TRPNMultiFunction>(Index);
  TRPNValue result;
  if (func == TRPNMultiFunction::Trunc) {
    result = Trunc(TopValues(stack, args, context));
  } else {
    std::vector<TRPNValue> members;
    for (std::size_t i = args; i > 0; --i) {
      const TRPNStackItem& item = stack.Peek(i - 1);
      if (item.Token)
        item.Token->CreateCalculateMember(members, context);
      else
        members.push_back(item.Value);
    }
    result = Aggregate(func, members);
  }
  stack.Pop(args);
  stack.PushValue(result);
}

void TRPNFormulaTokenVarFunction::BuildFormulaText(TRPNTextStack& stack,
                                                   const TRPNFormulaToken*) const {
  BuildCall(stack, RPNMultiFunctionInfo(Index).Name,
            static_cast<std::size_t>(std::max(ArgCount, 0)));
}

}  // namespace workbook
