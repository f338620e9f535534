#include "app/statement/validators.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>

#include "app/statement/amount_text.h"
#include "app/statement/errors.h"
#include "app/statement/number_text.h"
#include "platform/date_time.h"

namespace app {

namespace {

constexpr std::int64_t kPowersOfTen[13] = {
    1,        10,        100,        1000,        10000,        100000,       1000000,
    10000000, 100000000, 1000000000, 10000000000, 100000000000, 1000000000000};

// Doubles of this size and above are whole numbers: they have no decimals to reject or round.
constexpr double kWholeNumbers = 9007199254740992.0;  // 2^53

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }

std::string Replace(std::string_view text, char from, char to) {
  std::string out(text);
  for (char& c : out)
    if (c == from) c = to;
  return out;
}

// Amounts and quantities from this size on are refused: with their two decimals they would take
// more than the 18 digits every schema processor must read of a decimal (libxml2 reads 24).
constexpr double kTooLarge = 1e16;

// The amount's text for the records, or empty when it is too large for the reports.
std::string PointText(double value) {
  return std::fabs(value) < kTooLarge ? AmountText(value, '.') : std::string();
}

// The cell text as a double, "." taken as the decimal separator too.
bool ReadNumber(std::string_view text, double& value) {
  return TryTextToFloat(Replace(text, '.', ','), value, DecimalSeparator());
}

// True when the value survives rounding to hundredths (ties to even, in extended precision).
bool HasTwoDecimals(double value, long double scaled) {
  if (std::fabs(value) >= kWholeNumbers) return true;
  const long double hundredths = std::nearbyint(scaled);
  return static_cast<double>(hundredths * 0.01L) == value;
}

// Rounds the decimal value of x (its shortest round-trip digits, so 1.23 is 1.23, not the
// binary 1.2299999...) to hundredths, down or up; works for every size of amount.
double RoundHundredths(double x, bool up) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x), std::chars_format::scientific);
  const std::string_view text(buffer, result.ptr - buffer);
  const std::size_t e = text.find('e');
  std::string digits(text.substr(0, 1));
  if (e > 2) digits += text.substr(2, e - 2);
  int exponent = 0;
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), exponent);

  // Keep the digits down to the hundredths: exponent + 3 of them.
  const long keep = exponent + 3L;
  std::string kept;
  bool dropped = false;
  if (keep <= 0) {
    kept = "0";
    dropped = digits != "0";
  } else if (static_cast<std::size_t>(keep) >= digits.size()) {
    kept = digits + std::string(keep - digits.size(), '0');
  } else {
    kept = digits.substr(0, keep);
    dropped = digits.find_first_not_of('0', keep) != std::string::npos;
  }
  const bool negative = x < 0;
  if (dropped && up != negative) {
    int i = static_cast<int>(kept.size()) - 1;
    for (; i >= 0 && kept[i] == '9'; --i) kept[i] = '0';
    if (i < 0) {
      kept.insert(kept.begin(), '1');
    } else {
      ++kept[i];
    }
  }
  if (kept.find_first_not_of('0') == std::string::npos) return 0.0;
  const std::string number = (negative ? "-" : "") + kept + "e-2";
  double value = 0;
  std::from_chars(number.data(), number.data() + number.size(), value);
  return value;
}

int LocalYear() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_year + 1900;
}

}  // namespace

long double RoundN(long double x, int digits) {
  if (digits > 12 || digits < -12) throw ERangeError("RoundN: Value must be in -12..12");
  const long double power = static_cast<long double>(kPowersOfTen[std::abs(digits)]);
  long double y = x;
  if (digits > 0) y = x * power;
  if (digits < 0) y = x / power;
  const long double whole = std::trunc(y);
  const long double r = whole + std::trunc(2 * (y - whole));
  if (digits > 0) return r / power;
  if (digits < 0) return r * power;
  return r;
}

bool IsSKVATNumber(std::string_view text) {
  if (text.size() != 12 || text.substr(0, 2) != "SK") return false;
  for (char c : text.substr(2))
    if (!IsDigit(c)) return false;
  return true;
}

bool IsForeignVATNumber(std::string_view text) {
  return text.size() >= 2 && text.size() <= 14 && IsCapital(text[0]) && IsCapital(text[1]);
}

std::string CheckDateYMD(std::string_view text) { return CheckDateYMD(text, LocalYear()); }

std::string CheckDateYMD(std::string_view text, int currentYear) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto skip_blanks = [&] {
    while (i < n && text[i] == ' ') ++i;
  };
  int numbers[3] = {0, 0, 0};
  int lengths[3] = {0, 0, 0};
  int count = 0;
  while (count < 3) {
    skip_blanks();
    int length = 0;
    int number = 0;
    for (; i < n && IsDigit(text[i]) && length < 4; ++i, ++length)
      number = number * 10 + (text[i] - '0');
    if (length == 0) return "";
    numbers[count] = number;
    lengths[count] = length;
    ++count;
    // Another number follows a "-" only when there are digits after it.
    std::size_t next = i;
    while (next < n && text[next] == ' ') ++next;
    if (count == 3 || next >= n || text[next] != '-') break;
    std::size_t after = next + 1;
    while (after < n && text[after] == ' ') ++after;
    if (after >= n || !IsDigit(text[after])) break;
    i = next + 1;
  }
  // After the last number: blanks, one optional "-", blanks.
  skip_blanks();
  if (i < n && text[i] == '-') ++i;
  skip_blanks();
  if (i != n || count < 2) return "";

  int year, month, day;
  if (count == 3) {
    year = numbers[0];
    if (lengths[0] <= 2) year += currentYear / 100 * 100;
    month = numbers[1];
    day = numbers[2];
  } else {
    year = currentYear;
    month = numbers[0];
    day = numbers[1];
  }
  platform::TDateTime date;
  if (!platform::TryEncodeDate(year, month, day, date)) return "";
  // The reports' dates are xs:date, which takes this form only.
  char iso[16];
  std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", year, month, day);
  return iso;
}

bool IsVATRate(std::string_view text) { return text == "10" || text == "20"; }

std::string FormatAmount(std::string_view text, int roundingMode) {
  double x = 0;
  if (!ReadNumber(text, x)) return "";
  double value = x;
  switch (roundingMode) {
    case 1:
      value = static_cast<double>(RoundN(x, 2));
      break;
    case 2:
      value = RoundHundredths(x, false);
      break;
    case 3:
      value = RoundHundredths(x, true);
      break;
    default:  // no rounding: more than two decimals are not an amount
      if (!HasTwoDecimals(x, static_cast<long double>(x) * 100)) return "";
      break;
  }
  return PointText(value);
}

bool IsMaxLen32(std::string_view text) { return text.size() <= 32; }

bool IsFourDigitNumber(std::string_view text) {
  std::int32_t value = 0;
  return text.size() == 4 && TryStrToInt(text, value);
}

bool IsGoodsTypeCode(std::string_view text) { return text.empty() || text == "IO" || text == "MT"; }

bool IsUnitOfMeasure(std::string_view text) {
  return text == "kg" || text == "t" || text == "m" || text == "ks";
}

std::string FormatQuantity(std::string_view text) {
  double x = 0;
  if (!ReadNumber(text, x) || !HasTwoDecimals(x, static_cast<long double>(x) / 0.01L)) return "";
  return PointText(x);
}

bool IsIntOneOrTwo(std::string_view text) {
  std::int32_t value = 0;
  return text.empty() || (TryStrToInt(text, value) && (value == 1 || value == 2));
}

bool IsIntZeroOrOne(std::string_view text) {
  std::int32_t value = 0;
  return TryStrToInt(text, value) && (value == 0 || value == 1);
}

bool IsEmptyOrX(std::string_view text) { return text.empty() || text == "x" || text == "X"; }

bool IsEmptyOneOrTwo(std::string_view text) { return text.empty() || text == "1" || text == "2"; }

}  // namespace app
