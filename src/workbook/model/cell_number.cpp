#include "workbook/model/cell_number.h"

#include <cmath>

#include "platform/float_text.h"
#include "platform/format_settings.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/number_format_code.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/local_number_text.h"
#include "workbook/model/number_display.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

// Zero as the library compares doubles (within 1e-12).
bool IsZero(double value) { return std::fabs(value) <= 1e-12; }

std::u16string Without(const std::u16string& text, const std::u16string& characters) {
  std::u16string result;
  for (char16_t c : text)
    if (characters.find(c) == std::u16string::npos) result += c;
  return result;
}

}  // namespace

// The small members sit in the cell's spare bytes: a number costs its value only.
static_assert(sizeof(TExportCellNumber) == sizeof(TExportCell) + sizeof(double));

// --- TExportCellCustomNumber ---

bool TExportCellCustomNumber::GetErrorValue(std::uint8_t& code) const {
  if (FormulaError() != TRPNError::None)
    code = TExportCellBoolean::ErrorCodeOf(RPNErrorText(FormulaError()));
  else if (IsErrorValue && CellClass() == TCellClass::Boolean)
    // The flag first: every cell of every write asks, and a failed dynamic_cast costs.
    code = static_cast<const TExportCellBoolean*>(this)->ErrorCode();
  else if (HasValue && !std::isfinite(Value))
    code = TExportCellBoolean::ErrorCodeOf(u"#NUM!");
  else
    return false;
  return true;
}

void TExportCellCustomNumber::ReadValue(double fileValue) {
  SetValue(fileValue);
  valueFromFile_ = true;
}

void TExportCellCustomNumber::SetFormula(const std::u16string& text) {
  TExportCell::SetFormula(text);
  HasValue = text.empty();
  if (HasValue) return;
  Value = 0;
  valueFromFile_ = false;
  IsErrorValue = false;
}

void TExportCellCustomNumber::ReadFormula(const std::u16string& text) {
  TExportCell::SetFormula(text);
  HasValue = text.empty() || valueFromFile_;
}

void TExportCellCustomNumber::ApplyWorkSheetDefaults(TExportWorkSheet& sheet,
                                                     TExportCellStyle& style) {
  TExportCell::ApplyWorkSheetDefaults(sheet, style);
  if (sheet.DefaultNumberAlignment != 0) style.SetAlignment(sheet.DefaultNumberAlignment);
}

void TExportCellCustomNumber::AssignTo(TPersistent& dest) const {
  if (auto* number = dynamic_cast<TExportCellCustomNumber*>(&dest)) {
    number->Value = Value;
    number->HasValue = HasValue;
    number->valueFromFile_ = valueFromFile_;
  } else if (auto* text = dynamic_cast<TExportCellString*>(&dest)) {
    text->SetValue(GetValueText());
  }
  TExportCell::AssignTo(dest);
}

// --- TExportCellNumber ---

void TExportCellNumber::DoCreate() {
  if (TExportWorkSheet* sheet = GetWorkSheet()) BlankZero = sheet->DefaultNumberBlankZero;
}

void TExportCellNumber::SetDecimals(std::uint8_t decimals) {
  Decimals = decimals;
  if (decimals > 254) MinIntegerDigits = 1;
}

void TExportCellNumber::SetMinIntegerDigits(std::uint8_t digits) {
  MinIntegerDigits = digits;
  if (digits >= 2 && Decimals == 255) Decimals = 0;
}

std::u16string TExportCellNumber::GetValueText() const {
  if (FormulaError() != TRPNError::None) return std::u16string();  // no amount
  return ISOFloatToStr(Value);
}

void TExportCellNumber::SetValueText(const std::u16string& text) { SetValue(ISOStrToFloat(text)); }

std::u16string TExportCellNumber::GetDisplayText() {
  if (FormulaError() != TRPNError::None) return RPNErrorText(FormulaError());
  return FormatValue(Value);
}

void TExportCellNumber::SetDisplayText(const std::u16string& text) {
  HasValue = TryStrToFloatLocal(text, Value);
}

std::u16string TExportCellNumber::GetFormatCode() const {
  const std::u16string& stored = FormatCode();
  if (!stored.empty() && stored != u"@") return stored;
  std::u16string positive = GetPositiveFormatCode();
  std::u16string negative = GetNegativeFormatCode();
  return negative.empty() ? positive : positive + u";" + negative;
}

std::u16string TExportCellNumber::GetFormatPrefix(bool negative) const {
  std::u16string prefix;
  if (negative) prefix = (RedNegative ? u"[Red]" : u"") + std::u16string(u"\\-");
  if (ThousandSeparator) prefix += u"#,##";
  return prefix;
}

std::u16string TExportCellNumber::GetPositiveFormatCode() const {
  return BuildNumberFormatCode(Decimals, MinIntegerDigits, GetFormatPrefix(false),
                               GetFormatSuffix());
}

std::u16string TExportCellNumber::GetNegativeFormatCode() const {
  return BuildNumberFormatCode(Decimals, MinIntegerDigits, GetFormatPrefix(true),
                               GetFormatSuffix());
}

char16_t TExportCellNumber::GroupSeparator() const {
  if (!ThousandSeparator) return 0;
  const platform::TFormatSettings& fs = platform::FormatSettings();
  if (fs.ThousandSeparator != 0) return fs.ThousandSeparator;
  return fs.DecimalSeparator == u',' ? u'.' : u'\'';
}

std::u16string TExportCellNumber::FormatFixed(double value) const {
  return FormatFixedText(value, Decimals, MinIntegerDigits,
                         platform::FormatSettings().DecimalSeparator, GroupSeparator());
}

std::u16string TExportCellNumber::FormatValue(double value) const {
  if (IsZero(value) && (!HasValue || BlankZero)) return std::u16string();
  if (Decimals == 255) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    return platform::FloatToStrPlain(value, platform::FormatSettings().DecimalSeparator);
  }
  return FormatFixed(value);
}

void TExportCellNumber::AssignTo(TPersistent& dest) const {
  if (auto* number = dynamic_cast<TExportCellNumber*>(&dest)) {
    number->Decimals = Decimals;
    number->MinIntegerDigits = MinIntegerDigits;
    number->ThousandSeparator = ThousandSeparator;
    number->RedNegative = RedNegative;
    number->BlankZero = BlankZero;
  }
  TExportCellCustomNumber::AssignTo(dest);
}

void TExportCellNumber::ImportNumberFormat(const TNumberFormatRec& format) {
  SetDecimals(format.Decimals);
  SetMinIntegerDigits(format.IntegerZeros);
  ThousandSeparator = format.ThousandSeparator;
  RedNegative = format.RedNegative;
}

// --- TExportCellPercent ---

std::u16string TExportCellPercent::GetDisplayText() {
  if (FormulaError() != TRPNError::None) return RPNErrorText(FormulaError());
  std::u16string text = FormatValue(Value * 100);
  return text.empty() ? text : text + u"%";
}

void TExportCellPercent::SetDisplayText(const std::u16string& text) {
  HasValue = TryStrToFloatLocal(Without(text, u"% \u00A0"), Value);
  Value /= 100;
}

// --- TExportCellCurrency ---

std::u16string TExportCellCurrency::GetDisplayText() {
  if (FormulaError() != TRPNError::None) return RPNErrorText(FormulaError());
  std::u16string text = FormatValue(Value);
  if (text.empty() || CurrencySymbol.empty()) return text;
  return CurrencyPosition < 2 ? CurrencySymbol.str() + u" " + text
                              : text + u" " + CurrencySymbol.str();
}

void TExportCellCurrency::SetDisplayText(const std::u16string& text) {
  std::u16string plain = text;
  if (!CurrencySymbol.empty()) {
    std::size_t found;
    while ((found = plain.find(CurrencySymbol.str())) != std::u16string::npos)
      plain.erase(found, CurrencySymbol.size());
  }
  HasValue = TryStrToFloatLocal(Without(plain, u" \u00A0"), Value);
}

std::u16string TExportCellCurrency::GetFormatPrefix(bool negative) const {
  std::u16string prefix;
  if (negative && RedNegative) prefix += u"[Red]";
  if (CurrencyPosition < 2) {
    prefix += u"\"" + CurrencySymbol.str() + u"\"\\ ";
    if (CurrencyPosition == 1) prefix += u"* ";
  }
  if (negative) prefix += u"\\-";
  if (ThousandSeparator) prefix += u"#,##";
  return prefix;
}

std::u16string TExportCellCurrency::GetFormatSuffix() const {
  return CurrencyPosition == 2 ? u"\\ \"" + CurrencySymbol.str() + u"\"" : std::u16string();
}

void TExportCellCurrency::AssignTo(TPersistent& dest) const {
  if (auto* currency = dynamic_cast<TExportCellCurrency*>(&dest)) {
    currency->CurrencySymbol = CurrencySymbol;
    currency->CurrencyPosition = CurrencyPosition;
  }
  TExportCellNumber::AssignTo(dest);
}

void TExportCellCurrency::ImportNumberFormat(const TNumberFormatRec& format) {
  TExportCellNumber::ImportNumberFormat(format);
  CurrencySymbol = Without(format.CurrencySymbol, u"'\"");
  CurrencyPosition = format.CurrencyPosition;
}

// --- TExportCellScientific ---

std::u16string TExportCellScientific::GetFormatSuffix() const {
  return u"E+" + std::u16string(ExponentDigits, u'0');
}

std::u16string TExportCellScientific::FormatValue(double value) const {
  if (IsZero(value) && (!HasValue || BlankZero)) return std::u16string();
  return FormatScientificText(value, Decimals, MinIntegerDigits, ExponentDigits,
                              platform::FormatSettings().DecimalSeparator, GroupSeparator());
}

void TExportCellScientific::AssignTo(TPersistent& dest) const {
  if (auto* scientific = dynamic_cast<TExportCellScientific*>(&dest))
    scientific->ExponentDigits = ExponentDigits;
  TExportCellNumber::AssignTo(dest);
}

void TExportCellScientific::ImportNumberFormat(const TNumberFormatRec& format) {
  TExportCellNumber::ImportNumberFormat(format);
  ExponentDigits = format.ExponentDigits;
}

// --- TExportCellFraction ---

void TExportCellFraction::SetDisplayText(const std::u16string& text) {
  std::u16string plain = Without(text, u".,");
  double whole = 0;
  std::u16string rest = plain;
  std::size_t space = plain.find(u' ');
  if (space != std::u16string::npos) {
    if (!TryStrToFloatLocal(plain.substr(0, space), whole)) whole = 0;
    rest = plain.substr(space + 1);
  }
  // A sign in front of a mixed number applies to its fraction too.
  bool negative = plain.find_first_not_of(u' ') != std::u16string::npos &&
                  plain[plain.find_first_not_of(u' ')] == u'-';
  double fraction = 0;
  std::size_t slash = rest.find(u'/');
  double numerator, denominator;
  if (slash != std::u16string::npos && TryStrToFloatLocal(rest.substr(0, slash), numerator) &&
      TryStrToFloatLocal(rest.substr(slash + 1), denominator) && denominator != 0 &&
      numerator == std::trunc(numerator) && denominator == std::trunc(denominator))
    fraction = std::fabs(numerator / denominator);
  if (space == std::u16string::npos && slash == std::u16string::npos &&
      !TryStrToFloatLocal(plain, whole))
    whole = 0;  // a whole number alone
  SetValue(negative ? whole - fraction : whole + fraction);
}

std::u16string TExportCellFraction::GetPositiveFormatCode() const {
  std::u16string marks(FractionDigits, u'?');
  return (ThousandSeparator ? u"#,##" : u"#") + std::u16string(u" ") + marks + u"/" + marks;
}

std::u16string TExportCellFraction::GetNegativeFormatCode() const {
  return RedNegative ? u"[Red]-" + GetPositiveFormatCode() : std::u16string();
}

std::u16string TExportCellFraction::FormatValue(double value) const {
  if (IsZero(value) && (!HasValue || BlankZero)) return std::u16string();
  return FormatFractionText(value, FractionDigits, GroupSeparator());
}

void TExportCellFraction::AssignTo(TPersistent& dest) const {
  if (auto* fraction = dynamic_cast<TExportCellFraction*>(&dest))
    fraction->FractionDigits = FractionDigits;
  TExportCellNumber::AssignTo(dest);
}

}  // namespace workbook

namespace workbook {

void TExportCellFraction::ImportNumberFormat(const TNumberFormatRec& format) {
  TExportCellNumber::ImportNumberFormat(format);
  FractionDigits = format.FractionDigits;
}

TCellClass CellClassOfNumberFormat(TNumberFormatClass formatClass) {
  switch (formatClass) {
    case TNumberFormatClass::Percent:
      return TCellClass::Percent;
    case TNumberFormatClass::Currency:
      return TCellClass::Currency;
    case TNumberFormatClass::Scientific:
      return TCellClass::Scientific;
    case TNumberFormatClass::Fraction:
      return TCellClass::Fraction;
    case TNumberFormatClass::DateTime:
      return TCellClass::DateTime;
    default:
      return TCellClass::Number;
  }
}

}  // namespace workbook
