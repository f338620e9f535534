#include "app/statement/section_import.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <memory>
#include <stdexcept>

#include "app/statement/number_text.h"
#include "app/statement/validators.h"
#include "app/statement/xml_chars.h"
#include "platform/text_codec.h"

namespace app {

namespace {

using TTexts = std::vector<std::string>;

// Message parts in Windows-1250.
struct TMessageTexts {
  std::string invalid = platform::Utf8ToCp1250("Neplatný údaj ");
  std::string empty = platform::Utf8ToCp1250("Prázdny údaj ");
  std::string negative = platform::Utf8ToCp1250("Záporná hodnota ");
  std::string in_row = platform::Utf8ToCp1250(" v riadku č.");
  std::string skipped = platform::Utf8ToCp1250("Vynechaný riadok č.");
  std::string too_many = platform::Utf8ToCp1250(" je príliš veľa riadkov");
  std::string in_section = platform::Utf8ToCp1250("V sekcií ");
};

const TMessageTexts& Messages() {
  static const TMessageTexts texts;
  return texts;
}

// Totals slots (1-based) of each section's summed columns, in their check order.
std::vector<int> SumSlots(TSection section) {
  switch (section) {
    case TSection::A1:
      return {1, 2};
    case TSection::A2:
      return {3, 4};
    case TSection::B1:
      return {5, 6, 7};
    case TSection::B2:
      return {8, 9, 10};
    case TSection::B31:
      return {11, 12, 13};
    case TSection::B32:
      return {14, 15, 16};
    case TSection::C1:
      return {17, 18, 19};
    case TSection::C2:
      return {20, 21, 22};
    case TSection::D1:
      return {24, 25, 26, 27, 28};
    case TSection::D2:
      return {29, 30, 31, 32};
    case TSection::SV1:
      return {33};
    case TSection::SV2:
      break;
  }
  return {};
}

// The name a field has in the row messages: its column key's field part, "KOpr" for "Kopr".
std::string_view MessageName(TSection section, int field) {
  const int first = FirstSlot(section);
  for (int slot = first; slot < first + FieldCount(section); ++slot) {
    const std::string_view key = kColumnKeys[slot];
    if (ColumnSlot(key) != first + field) continue;
    const std::string_view name = key.substr(key.find('-') + 1);
    return name == "Kopr" ? "KOpr" : name;
  }
  return {};
}

// One accepted row's checks: the messages they list, the error mark and the sums they feed.
// A field whose text XML cannot carry is invalid whatever its own check would say: the first check
// of that field lists it so, and ReportUnfit lists those no check looks at.
class TRowChecks {
 public:
  TRowChecks(TSection section, std::int64_t row, std::vector<TColumnSum>& sums, TImportLog& log,
             std::vector<std::string_view> unfit)
      : ending_(Messages().in_row + std::to_string(row) + SectionSuffix(section)),
        sums_(sums),
        log_(log),
        unfit_(std::move(unfit)) {}

  bool HasError() const { return has_error_; }

  void ReportUnfit() {
    for (std::string_view field : unfit_) Invalid(field);
    unfit_.clear();
  }

  void Invalid(std::string_view field) {
    has_error_ = true;
    log_.Errors.push_back(Messages().invalid + std::string(field) + ending_);
  }
  void Empty(std::string_view field) {
    log_.Warnings.push_back(Messages().empty + std::string(field) + ending_);
  }
  void Negative(std::string_view field) {
    log_.Warnings.push_back(Messages().negative + std::string(field) + ending_);
  }

  // Empty: a warning; otherwise an error unless the value passes.
  void Optional(const std::string& value, std::string_view field, bool (*valid)(std::string_view)) {
    if (Unfit(field)) return;
    if (value.empty()) {
      Empty(field);
    } else if (!valid(value)) {
      Invalid(field);
    }
  }
  void Required(const std::string& value, std::string_view field, bool (*valid)(std::string_view)) {
    if (!Unfit(field) && !valid(value)) Invalid(field);
  }
  void NonEmpty(const std::string& value, std::string_view field) {
    if (!Unfit(field) && value.empty()) Invalid(field);
  }
  // A summed field adds to sum number `sum` (in the section's order); empty, it is an error or,
  // when only a warning is due, a warning.
  void Summed(const std::string& value, std::string_view field, int sum, bool emptyIsError) {
    if (Unfit(field)) return;
    if (!value.empty()) {
      std::string number = value;
      for (char& c : number)
        if (c == '.') c = ',';
      sums_[sum].Value += StrToFloat(number);
    } else if (emptyIsError) {
      Invalid(field);
    } else {
      Empty(field);
    }
  }
  void NegativeWarning(const std::string& value, std::string_view field) {
    if (!value.empty() && value[0] == '-') Negative(field);
  }
  void Kopr(const std::string& value) { Required(value, "KOpr", IsIntOneOrTwo); }

 private:
  // Lists the field as invalid when its text was unfit, once.
  bool Unfit(std::string_view field) {
    const auto found = std::find(unfit_.begin(), unfit_.end(), field);
    if (found == unfit_.end()) return false;
    unfit_.erase(found);
    Invalid(field);
    return true;
  }

  std::string ending_;
  std::vector<TColumnSum>& sums_;
  TImportLog& log_;
  std::vector<std::string_view> unfit_;
  bool has_error_ = false;
};

bool Accepts(TSection section, const TTexts& t) {
  switch (section) {
    case TSection::A1:
    case TSection::B1:
    case TSection::B2:
      return !t[1].empty() && IsVATRate(t[5]);  // F and the rate S
    case TSection::A2:
      return !t[1].empty();  // F
    case TSection::C1:
    case TSection::C2:
      return !t[1].empty() && !t[2].empty();  // FO and FP
    case TSection::B31:
    case TSection::D1:
    case TSection::D2:
    case TSection::SV2:
      return !t[0].empty();  // Z, SumaObratov, Z, Odb
    case TSection::B32:
    case TSection::SV1:
      return !t[1].empty();  // Z
  }
  return false;
}

// The checks of A2 and C1 on the goods code, its type, the quantity and its unit.
void GoodsChecks(TRowChecks& c, const std::string& tk, const std::string& td, const std::string& mn,
                 const std::string& mj, int mnSum) {
  c.Optional(tk, "TK", IsFourDigitNumber);
  c.Optional(td, "TD", IsGoodsTypeCode);
  c.Summed(mn, "Mn", mnSum, false);
  c.Optional(mj, "MJ", IsUnitOfMeasure);
}

void RowA1(TData& data, TRowChecks& c, const TTexts& t) {
  auto r = std::make_unique<tDataA1>();
  r->Odb = t[0];
  r->F = t[1];
  r->Den = CheckDateYMD(t[2]);
  r->Z = FormatAmount(t[3], data.RoundingMode);
  r->D = FormatAmount(t[4], data.RoundingMode);
  r->S = t[5];
  r->Kopr = t[6];
  c.Optional(r->Odb, "Odb", IsForeignVATNumber);
  c.Required(r->F, "F", IsMaxLen32);
  c.NonEmpty(r->Den, "Den");
  c.Summed(r->Z, "Z", 0, true);
  c.Summed(r->D, "D", 1, true);
  c.Kopr(r->Kopr);
  c.NegativeWarning(r->Z, "Z");
  c.NegativeWarning(r->D, "D");
  data.RowsA1.push_back(std::move(r));
}

void RowA2(TData& data, TRowChecks& c, const TTexts& t) {
  auto r = std::make_unique<tDataA2>();
  r->Odb = t[0];
  r->F = t[1];
  r->Den = CheckDateYMD(t[2]);
  r->Z = FormatAmount(t[3], data.RoundingMode);
  r->TK = t[4];
  r->TD = t[5];
  r->Mn = FormatQuantity(t[6]);
  r->MJ = t[7];
  r->Kopr = t[8];
  c.Required(r->Odb, "Odb", IsSKVATNumber);
  c.Required(r->F, "F", IsMaxLen32);
  c.NonEmpty(r->Den, "Den");
  c.Summed(r->Z, "Z", 0, true);
  GoodsChecks(c, r->TK, r->TD, r->Mn, r->MJ, 1);
  c.Kopr(r->Kopr);
  c.NegativeWarning(r->Z, "Z");
  data.RowsA2.push_back(std::move(r));
}

// B1 and B2 differ only in the supplier check.
template <typename Record>
std::unique_ptr<Record> RowB(TData& data, TRowChecks& c, const TTexts& t, bool domestic) {
  auto r = std::make_unique<Record>();
  r->Dod = t[0];
  r->F = t[1];
  r->Den = CheckDateYMD(t[2]);
  r->Z = FormatAmount(t[3], data.RoundingMode);
  r->D = FormatAmount(t[4], data.RoundingMode);
  r->S = t[5];
  r->O = FormatAmount(t[6], data.RoundingMode);
  r->Kopr = t[7];
  if (domestic) {
    c.Required(r->Dod, "Dod", IsSKVATNumber);
  } else {
    c.Optional(r->Dod, "Dod", IsForeignVATNumber);
  }
  c.Required(r->F, "F", IsMaxLen32);
  c.NonEmpty(r->Den, "Den");
  c.Summed(r->Z, "Z", 0, true);
  c.Summed(r->D, "D", 1, true);
  c.Summed(r->O, "O", 2, true);
  c.Kopr(r->Kopr);
  c.NegativeWarning(r->Z, "Z");
  c.NegativeWarning(r->D, "D");
  c.NegativeWarning(r->O, "O");
  return r;
}

void RowB31(TData& data, TRowChecks& c, const TTexts& t) {
  auto r = std::make_unique<tDataB31>();
  r->Z = FormatAmount(t[0], data.RoundingMode);
  r->D = FormatAmount(t[1], data.RoundingMode);
  r->O = FormatAmount(t[2], data.RoundingMode);
  r->Kopr = t[3];
  c.Summed(r->Z, "Z", 0, true);
  c.Summed(r->D, "D", 1, true);
  c.Summed(r->O, "O", 2, true);
  c.Kopr(r->Kopr);
  c.NegativeWarning(r->Z, "Z");
  c.NegativeWarning(r->D, "D");
  c.NegativeWarning(r->O, "O");
  data.RowsB31.push_back(std::move(r));
}

void RowB32(TData& data, TRowChecks& c, const TTexts& t) {
  auto r = std::make_unique<tDataB32>();
  r->Dod = t[0];
  r->Z = FormatAmount(t[1], data.RoundingMode);
  r->D = FormatAmount(t[2], data.RoundingMode);
  r->O = FormatAmount(t[3], data.RoundingMode);
  r->Kopr = t[4];
  c.Summed(r->Z, "Z", 0, true);
  c.Summed(r->D, "D", 1, true);
  c.Summed(r->O, "O", 2, true);
  c.Required(r->Dod, "Dod", IsSKVATNumber);
  c.Kopr(r->Kopr);
  c.NegativeWarning(r->Z, "Z");
  c.NegativeWarning(r->D, "D");
  c.NegativeWarning(r->O, "O");
  data.RowsB32.push_back(std::move(r));
}

void RowC1(TData& data, TRowChecks& c, const TTexts& t) {
  auto r = std::make_unique<tDataC1>();
  r->Odb = t[0];
  r->FO = t[1];
  r->FP = t[2];
  r->ZR = FormatAmount(t[3], data.RoundingMode);
  r->DR = FormatAmount(t[4], data.RoundingMode);
  r->S = t[5];
  r->TK = t[6];
  r->TD = t[7];
  r->Mn = FormatQuantity(t[8]);
  r->MJ = t[9];
  r->Kopr = t[10];
  r->ONP = t[11];
  c.Optional(r->Odb, "Odb", IsForeignVATNumber);
  c.Required(r->FO, "FO", IsMaxLen32);
  c.Required(r->FP, "FP", IsMaxLen32);
  c.Summed(r->ZR, "ZR", 0, true);
  c.Summed(r->DR, "DR", 1, false);
  c.Optional(r->S, "S", IsVATRate);
  GoodsChecks(c, r->TK, r->TD, r->Mn, r->MJ, 2);
  c.Kopr(r->Kopr);
  c.Required(r->ONP, "ONP", IsEmptyOrX);
  data.RowsC1.push_back(std::move(r));
}

void RowC2(TData& data, TRowChecks& c, const TTexts& t) {
  auto r = std::make_unique<tDataC2>();
  r->Dod = t[0];
  r->FO = t[1];
  r->FP = t[2];
  r->ZR = FormatAmount(t[3], data.RoundingMode);
  r->DR = FormatAmount(t[4], data.RoundingMode);
  r->S = t[5];
  r->OR = FormatAmount(t[6], data.RoundingMode);
  r->Kopr = t[7];
  r->ONP = t[8];
  c.Optional(r->Dod, "Dod", IsForeignVATNumber);
  c.Required(r->FO, "FO", IsMaxLen32);
  c.Required(r->FP, "FP", IsMaxLen32);
  c.Summed(r->ZR, "ZR", 0, true);
  c.Summed(r->DR, "DR", 1, true);
  c.Required(r->S, "S", IsVATRate);
  c.Summed(r->OR, "OR", 2, true);
  c.Kopr(r->Kopr);
  c.Required(r->ONP, "ONP", IsEmptyOrX);
  data.RowsC2.push_back(std::move(r));
}

void RowD1(TData& data, TRowChecks& c, const TTexts& t) {
  auto r = std::make_unique<tDataD1>();
  r->SumaObratov = FormatAmount(t[0], data.RoundingMode);
  r->Z = FormatAmount(t[1], data.RoundingMode);
  r->D = FormatAmount(t[2], data.RoundingMode);
  r->ZZn = FormatAmount(t[3], data.RoundingMode);
  r->DZn = FormatAmount(t[4], data.RoundingMode);
  r->Kopr = t[5];
  c.Summed(r->SumaObratov, "SumaObratov", 0, true);
  c.Summed(r->Z, "Z", 1, true);
  c.Summed(r->D, "D", 2, true);
  c.Summed(r->ZZn, "ZZn", 3, true);
  c.Summed(r->DZn, "DZn", 4, true);
  c.Kopr(r->Kopr);
  data.RowsD1.push_back(std::move(r));
}

void RowD2(TData& data, TRowChecks& c, const TTexts& t) {
  auto r = std::make_unique<tDataD2>();
  r->Z = FormatAmount(t[0], data.RoundingMode);
  r->D = FormatAmount(t[1], data.RoundingMode);
  r->ZZn = FormatAmount(t[2], data.RoundingMode);
  r->DZn = FormatAmount(t[3], data.RoundingMode);
  r->Kopr = t[4];
  c.Summed(r->Z, "Z", 0, true);
  c.Summed(r->D, "D", 1, true);
  c.Summed(r->ZZn, "ZZn", 2, false);
  c.Summed(r->DZn, "DZn", 3, false);
  c.Kopr(r->Kopr);
  for (std::string* amount : {&r->Z, &r->D, &r->ZZn, &r->DZn})
    if (amount->empty()) *amount = "0";
  data.RowsD2.push_back(std::move(r));
}

void RowSV1(TData& data, TRowChecks& c, const TTexts& t) {
  auto r = std::make_unique<tDataSV1>();
  r->Z = FormatAmount(t[1], data.RoundingMode);
  r->Odb = t[0];
  r->Kod = t[2];
  c.Summed(r->Z, "Z", 0, true);
  c.Required(r->Odb, "Odb", IsForeignVATNumber);
  c.Required(r->Kod, "Kod", IsEmptyOneOrTwo);
  data.RowsSV1.push_back(std::move(r));
}

void RowSV2(TData& data, TRowChecks& c, const TTexts& t) {
  auto r = std::make_unique<tDataSV2>();
  r->Odb = t[0];
  r->OdbP = t[1];
  r->Vr = t[2] == "x" ? "1" : "0";
  r->Kopr = t[3] == "x" ? "1" : "0";
  c.Required(r->Odb, "Odb", IsForeignVATNumber);
  data.RowsSV2.push_back(std::move(r));
}

// A sum beyond the double range is stored as an infinity of its sign.
double ToDouble(long double value) {
  if (value > DBL_MAX) return HUGE_VAL;
  if (value < -DBL_MAX) return -HUGE_VAL;
  return static_cast<double>(value);
}

}  // namespace

TSectionImport::TSectionImport(TData& data, TSection section) : data_(data), section_(section) {
  for (int slot : SumSlots(section)) sums_.push_back({kTotalsKeys[slot - 1], slot, 0});
}

std::vector<std::int32_t> TSectionImport::FieldColumns() const {
  const int first = FirstSlot(section_);
  return std::vector<std::int32_t>(data_.Order.Column.begin() + first,
                                   data_.Order.Column.begin() + first + FieldCount(section_));
}

std::vector<std::string> TSectionImport::ReadFieldTexts(
    std::int32_t cellCount, const std::function<std::string(std::int32_t)>& cellText) const {
  std::vector<std::string> texts;
  for (std::int32_t column : FieldColumns())
    texts.push_back(column >= 1 && column <= cellCount ? cellText(column - 1) : std::string());
  return texts;
}

void TSectionImport::ProcessRow(std::int64_t rowNumber, const std::vector<std::string>& t,
                                TImportLog& log) {
  if (t.size() != static_cast<std::size_t>(FieldCount(section_)))
    throw std::invalid_argument("TSectionImport::ProcessRow: wrong number of field texts");
  if (!Accepts(section_, t)) {
    ++skipped_;
    log.Warnings.push_back(Messages().skipped + std::to_string(rowNumber) +
                           SectionSuffix(section_));
    return;
  }
  // The record keeps such a text as read: the export then refuses to write a report that would
  // not be XML, rather than quietly writing it without the field.
  std::vector<std::string_view> unfit;
  for (std::size_t i = 0; i < t.size(); ++i)
    if (!IsXmlText(t[i])) unfit.push_back(MessageName(section_, static_cast<int>(i)));
  TRowChecks checks(section_, rowNumber, sums_, log, std::move(unfit));
  switch (section_) {
    case TSection::A1:
      RowA1(data_, checks, t);
      break;
    case TSection::A2:
      RowA2(data_, checks, t);
      break;
    case TSection::B1:
      data_.RowsB1.push_back(RowB<tDataB1>(data_, checks, t, false));
      break;
    case TSection::B2:
      data_.RowsB2.push_back(RowB<tDataB2>(data_, checks, t, true));
      break;
    case TSection::B31:
      RowB31(data_, checks, t);
      break;
    case TSection::B32:
      RowB32(data_, checks, t);
      break;
    case TSection::C1:
      RowC1(data_, checks, t);
      break;
    case TSection::C2:
      RowC2(data_, checks, t);
      break;
    case TSection::D1:
      RowD1(data_, checks, t);
      break;
    case TSection::D2:
      RowD2(data_, checks, t);
      break;
    case TSection::SV1:
      RowSV1(data_, checks, t);
      break;
    case TSection::SV2:
      RowSV2(data_, checks, t);
      break;
  }
  checks.ReportUnfit();
  if (checks.HasError()) {
    ++errors_;
  } else {
    ++loaded_;
  }
}

void TSectionImport::Finish(TImportLog& log) {
  for (const TColumnSum& sum : sums_) data_.Totals.Sum[sum.Slot - 1] = ToDouble(sum.Value);
  if (IsRowLimited(section_) && Accepted() > kLimitedSectionRows)
    log.Errors.push_back(Messages().in_section + std::string(SectionName(section_)) +
                         Messages().too_many);
}

}  // namespace app
