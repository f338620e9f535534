// Formula text to tokens: a tokenizer over the delimiter characters and a shunting-yard
// conversion with an operator stack.
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "workbook/core/cell_refs.h"
#include "workbook/model/formula/rpn_formula.h"

namespace workbook {

namespace {

// Longer texts are no formulas any spreadsheet writes; the bound also keeps text rendering of
// deeply nested formulas cheap.
constexpr std::size_t kMaxFormulaLength = 8192;

bool IsDelimiter(char16_t c) {
  return std::u16string_view(u" %()*+,-/<=>^").find(c) != std::u16string_view::npos;
}

bool IsOperatorChar(char16_t c) {
  return std::u16string_view(u"%*+-/<=>^").find(c) != std::u16string_view::npos;
}

bool IsTwoCharOperator(char16_t a, char16_t b) {
  return (a == u'<' && (b == u'=' || b == u'>')) || (a == u'>' && b == u'=');
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// digits [. digits] followed by "E": the sign after it belongs to the number ("1.5E-5").
bool IsMantissaWithE(std::u16string_view token) {
  if (token.size() < 2 || (token.back() != u'E' && token.back() != u'e')) return false;
  token.remove_suffix(1);
  bool digits = false, point = false;
  for (char16_t c : token) {
    if (IsDigit(c)) {
      digits = true;
    } else if (c == u'.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

// digits [. digits] [E [sign] digits], or ". digits".
bool ParseNumber(std::u16string_view token, double& value) {
  std::size_t i = 0, mantissaDigits = 0;
  while (i < token.size() && IsDigit(token[i])) ++i, ++mantissaDigits;
  if (i < token.size() && token[i] == u'.')
    for (++i; i < token.size() && IsDigit(token[i]); ++i) ++mantissaDigits;
  if (mantissaDigits == 0) return false;
  if (i < token.size() && (token[i] == u'E' || token[i] == u'e')) {
    ++i;
    if (i < token.size() && (token[i] == u'+' || token[i] == u'-')) ++i;
    std::size_t exponentDigits = 0;
    while (i < token.size() && IsDigit(token[i])) ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  if (i != token.size()) return false;
  std::string ascii(token.begin(), token.end());
  value = std::strtod(ascii.c_str(), nullptr);
  return std::isfinite(value);
}

bool IsValidName(std::u16string_view token) {
  for (char16_t c : token)
    if (!((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || IsDigit(c) || c == u'_'))
      return false;
  return !token.empty();
}

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && text.front() <= u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() <= u' ') text.remove_suffix(1);
  return text;
}

// One token from pos on; pos moves past it. Blanks around it are dropped.
std::u16string_view ReadToken(std::u16string_view text, std::size_t& pos) {
  const std::size_t start = pos++;
  while (pos < text.size()) {
    const char16_t last = text[pos - 1], next = text[pos];
    if (!IsDelimiter(last) && !IsDelimiter(next)) {
      ++pos;
    } else if (IsTwoCharOperator(last, next)) {
      ++pos;
    } else if ((next == u'+' || next == u'-') && IsMantissaWithE(text.substr(start, pos - start))) {
      for (++pos; pos < text.size() && IsDigit(text[pos]);) ++pos;
    } else {
      break;
    }
  }
  return Trim(text.substr(start, pos - start));
}

bool IsOperatorText(std::u16string_view token) {
  if (token.size() == 1) return IsOperatorChar(token[0]);
  return token.size() == 2 && IsTwoCharOperator(token[0], token[1]);
}

// A unary "+" or "-" follows the start, an opening parenthesis, a comma or another operator
// except "%" (which closes its operand).
bool StartsOperand(std::u16string_view previous) {
  return previous.empty() || previous == u"(" || previous == u"," ||
         (IsOperatorText(previous) && previous != u"%");
}

struct TArgFrame {
  TRPNFormulaTokenVarFunction* VarFunction = nullptr;
  const TRPNFormulaTokenFunction* Function = nullptr;
  bool OwnArguments = false;  // a function's own parentheses, which keep their arguments
  bool ArgStarted = false;
  int ArgCount = 0;
};

class TParser {
 public:
  TParser(std::u16string_view text, std::vector<TRPNTokenPtr>& output)
      : text_(text), output_(output) {}

  void Run();

 private:
  [[noreturn]] void Fail(const std::u16string& reason) const {
    throw ERPNFormulaException(u"Invalid formula \"" + std::u16string(text_) + u"\": " + reason);
  }
  std::u16string Where(std::u16string_view token) const {
    return u"\"" + std::u16string(token) + u"\" at position " + NumberText(tokenStart_ + 1);
  }
  static std::u16string NumberText(std::size_t n) {
    std::string ascii = std::to_string(n);
    return std::u16string(ascii.begin(), ascii.end());
  }
  template <class T>
  T* Append() {
    auto token = std::make_unique<T>();
    T* raw = token.get();
    output_.push_back(std::move(token));
    return raw;
  }
  void CountOperand();
  bool TopIs(TRPNTokenKind kind) const { return !stack_.empty() && stack_.back()->Kind() == kind; }
  // Moves operators to the output down to the nearest left parenthesis; false when there is none.
  bool PopToLeftParenthesis();
  void Operator(std::u16string_view token, bool unary);
  void Classify(std::u16string_view token, char16_t next, std::u16string_view previous);

  std::u16string_view text_;
  std::vector<TRPNTokenPtr>& output_;
  std::vector<TRPNTokenPtr> stack_;
  std::vector<TArgFrame> frames_;
  TArgFrame pending_;  // the frame the next "(" opens
  std::size_t tokenStart_ = 0;
};

void TParser::CountOperand() {
  for (auto it = frames_.rbegin(); it != frames_.rend(); ++it) {
    if (!it->OwnArguments) continue;
    if (!it->ArgStarted) {
      ++it->ArgCount;
      if (it->VarFunction) ++it->VarFunction->ArgCount;
    }
    it->ArgStarted = true;
    return;
  }
}

bool TParser::PopToLeftParenthesis() {
  while (!stack_.empty() && !TopIs(TRPNTokenKind::LeftParenthesis)) {
    if (!TopIs(TRPNTokenKind::Operator)) return false;
    output_.push_back(std::move(stack_.back()));
    stack_.pop_back();
  }
  return !stack_.empty();
}

void TParser::Operator(std::u16string_view token, bool unary) {
  auto op = std::make_unique<TRPNFormulaTokenOperator>();
  op->Operator = StrToRPNOperator(token, unary);
  const TRPNOperatorInfo& info = RPNOperatorInfo(op->Operator);
  while (TopIs(TRPNTokenKind::Operator)) {
    const auto& top = static_cast<const TRPNFormulaTokenOperator&>(*stack_.back());
    const int topPrecedence = RPNOperatorInfo(top.Operator).Precedence;
    const bool pop =
        info.RightAssociative ? info.Precedence < topPrecedence : info.Precedence <= topPrecedence;
    if (!pop) break;
    output_.push_back(std::move(stack_.back()));
    stack_.pop_back();
  }
  stack_.push_back(std::move(op));
}

void TParser::Classify(std::u16string_view token, char16_t next, std::u16string_view previous) {
  double number;
  TCellRangeRef range;
  int col, row;
  bool colAbsolute, rowAbsolute;
  TRPNFunction func;
  int multi;
  if (next == u'(' && StrToRPNFunction(token, func)) {
    CountOperand();
    auto function = std::make_unique<TRPNFormulaTokenFunction>();
    function->Func = func;
    pending_ = {nullptr, function.get(), true, false, 0};
    stack_.push_back(std::move(function));
    Append<TRPNFormulaTokenAttribute>();
  } else if (next == u'(' && StrToRPNMultiFunction(token, multi)) {
    CountOperand();
    auto function = std::make_unique<TRPNFormulaTokenVarFunction>();
    function->Index = multi;
    pending_ = {function.get(), nullptr, true, false, 0};
    stack_.push_back(std::move(function));
    Append<TRPNFormulaTokenAttribute>();
  } else if (token != u"," && ParseNumber(token, number)) {
    CountOperand();
    Append<TRPNFormulaTokenNumber>()->Value = number;
  } else if (token.find(u':') != std::u16string_view::npos &&
             ParseCellRangeRef(token, range, true)) {
    CountOperand();
    Append<TRPNFormulaTokenCellRange>()->Range.SetCorners(range);
  } else if (ParseCellRef(token, col, row, colAbsolute, rowAbsolute)) {
    CountOperand();
    auto* cell = Append<TRPNFormulaTokenCell>();
    cell->Column = col;
    cell->Row = row;
    cell->ColAbsolute = colAbsolute;
    cell->RowAbsolute = rowAbsolute;
  } else if (next != u'(' && IsValidName(token)) {
    CountOperand();
    Append<TRPNFormulaTokenNamedCellRange>()->Name = std::u16string(token);
  } else if (token == u",") {
    if (!PopToLeftParenthesis()) Fail(u"the comma " + Where(token) + u" is outside parentheses.");
    for (auto it = frames_.rbegin(); it != frames_.rend(); ++it)
      if (it->OwnArguments) {
        it->ArgStarted = false;
        break;
      }
    Append<TRPNFormulaTokenAttribute>();
  } else if (IsOperatorText(token)) {
    Operator(token, StartsOperand(previous));
  } else if (token == u"(") {
    stack_.push_back(std::make_unique<TRPNFormulaTokenLeftParenthesis>());
    frames_.push_back(pending_);
    pending_ = TArgFrame();
  } else if (token == u")") {
    if (!PopToLeftParenthesis()) Fail(u"no \"(\" matches " + Where(token) + u".");
    Append<TRPNFormulaTokenRightParenthesis>();
    stack_.pop_back();
    if (!frames_.empty()) {
      const TArgFrame frame = frames_.back();
      frames_.pop_back();
      // Evaluation takes a fixed function's arguments by count, so a wrong count would make it
      // compute with its neighbours' operands.
      if (frame.Function && frame.ArgCount != RPNFunctionInfo(frame.Function->Func).Args)
        Fail(std::u16string(RPNFunctionInfo(frame.Function->Func).Name) + u" takes " +
             NumberText(static_cast<std::size_t>(RPNFunctionInfo(frame.Function->Func).Args)) +
             u" arguments, not " + NumberText(static_cast<std::size_t>(frame.ArgCount)) + u".");
    }
    if (!stack_.empty() && stack_.back()->IsFunction()) {
      output_.push_back(std::move(stack_.back()));
      stack_.pop_back();
    }
  } else {
    Fail(u"unknown item " + Where(token) + u".");
  }
}

void TParser::Run() {
  std::u16string_view text = Trim(text_);
  if (text.empty()) Fail(u"the formula is empty.");
  if (text_.size() > kMaxFormulaLength) Fail(u"the formula is longer than 8192 characters.");
  std::size_t pos = text.front() == u'=' ? 1 : 0;
  std::u16string_view previous;
  const std::size_t offset = static_cast<std::size_t>(text.data() - text_.data());
  while (pos < text.size()) {
    tokenStart_ = offset + pos;
    std::u16string_view token = ReadToken(text, pos);
    if (token.empty()) continue;
    tokenStart_ = static_cast<std::size_t>(token.data() - text_.data());
    const char16_t next = pos < text.size() ? text[pos] : 0;
    Classify(token, next, previous);
    previous = token;
  }
  while (!stack_.empty()) {
    if (!TopIs(TRPNTokenKind::Operator)) Fail(u"a \")\" is missing at the end.");
    output_.push_back(std::move(stack_.back()));
    stack_.pop_back();
  }
}

}  // namespace

void TRPNFormula::Parse(const std::u16string& text) {
  tokens_.clear();
  try {
    TParser(text, tokens_).Run();
  } catch (...) {
    tokens_.clear();
    throw;
  }
}

bool TRPNFormula::ParseFormula(const std::u16string& text) {
  try {
    Parse(text);
    return true;
  } catch (const ERPNFormulaException&) {
    return false;
  }
}

}  // namespace workbook
