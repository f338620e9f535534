#include "workbook/core/sheet_refs.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace workbook {

namespace {

constexpr size_t kMaxSheetNameLength = 31;

std::u16string Number(int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

int64_t LastIndex(int first, int count) { return int64_t{first} + std::max(count, 1) - 1; }

std::u16string Dollar(bool absolute) { return absolute ? u"$" : u""; }

}  // namespace

std::u16string QuoteSheetName(std::u16string_view Name, bool Truncate) {
  if (Truncate) Name = Name.substr(0, kMaxSheetNameLength);
  std::u16string result;
  for (char16_t c : Name) {
    result += c;
    if (c == u'\'') result += c;
  }
  return result;
}

bool ParseSheetCellRangeRef(std::u16string_view Text, std::u16string& SheetName, TCellRangeRef& Ref,
                            bool MustBeRange) {
  std::u16string name;
  std::u16string_view range = Text;
  if (!Text.empty() && Text[0] == u'\'') {
    // A quoted name may hold "!" and doubled quotes; it ends at a single "'".
    size_t i = 1;
    for (; i < Text.size(); ++i) {
      if (Text[i] != u'\'') {
        name += Text[i];
      } else if (i + 1 < Text.size() && Text[i + 1] == u'\'') {
        name += u'\'';
        ++i;
      } else {
        break;
      }
    }
    if (i + 1 >= Text.size() || Text[i] != u'\'' || Text[i + 1] != u'!') return false;
    range = Text.substr(i + 2);
  } else if (const size_t bang = Text.find(u'!'); bang != std::u16string_view::npos) {
    for (char16_t c : Text.substr(0, bang))
      if (c != u'\'') name += c;
    range = Text.substr(bang + 1);
  }
  if (!ParseCellRangeRef(range, Ref, MustBeRange)) return false;
  SheetName = std::move(name);
  return true;
}

bool ParseSheetCellRangeRefColRow(std::u16string_view Text, std::u16string& SheetName, int& Col1,
                                  int& Row1, int& Col2, int& Row2, bool MustBeRange) {
  TCellRangeRef r;
  if (!ParseSheetCellRangeRef(Text, SheetName, r, MustBeRange)) return false;
  Col1 = r.Col1;
  Row1 = r.Row1;
  Col2 = r.Col2;
  Row2 = r.Row2;
  return true;
}

std::u16string MakeSheetRangeRef(std::u16string_view Name, int Col, int Row, TRefAbsolute Absolute,
                                 int ColSpan, int RowSpan) {
  return u"'" + QuoteSheetName(Name, true) + u"'!" +
         MakeCellRangeRefEx(Col, Row, ColSpan, Absolute, RowSpan);
}

std::u16string MakeSheetColRangeRef(std::u16string_view Name, int Col, int ColCount) {
  return u"'" + QuoteSheetName(Name, true) + u"'!$" + ColIndexToLetters(Col) + u":$" +
         ColIndexToLetters(
             static_cast<int>(std::min<int64_t>(LastIndex(Col, ColCount), INT32_MAX)));
}

std::u16string MakeSheetRowRangeRef(std::u16string_view Name, int Row, int RowCount) {
  return u"'" + QuoteSheetName(Name, true) + u"'!$" + Number(int64_t{Row} + 1) + u":$" +
         Number(LastIndex(Row, RowCount) + 1);
}

std::u16string MakeODSRangeRef(std::u16string_view Name, int Col, int Row, bool Absolute,
                               int RowSpan, int ColSpan) {
  const std::u16string sheet = u"'" + QuoteSheetName(Name, false) + u"'.";
  std::u16string ref = Dollar(Absolute) + sheet + MakeCellRangeRef(Col, Row, 1, Absolute, 1);
  if (ColSpan >= 2 || RowSpan >= 2) {
    const std::u16string last =
        MakeCellRangeRefEx(Col, Row, ColSpan, TRefAbsolute::All(Absolute), RowSpan);
    ref += u':' + sheet + last.substr(last.find(u':') + 1);
  }
  return ref;
}

std::u16string MakeODSColRangeRef(std::u16string_view Name, int Col, int ColCount, bool Absolute) {
  const std::u16string sheet = u"'" + QuoteSheetName(Name, false) + u"'.";
  const int last = static_cast<int>(std::min<int64_t>(LastIndex(Col, ColCount), INT32_MAX));
  return sheet + Dollar(Absolute) + ColIndexToLetters(Col) + u':' + sheet + Dollar(Absolute) +
         ColIndexToLetters(last);
}

std::u16string MakeODSRowRangeRef(std::u16string_view Name, int Row, int RowCount, bool Absolute) {
  const std::u16string sheet = u"'" + QuoteSheetName(Name, false) + u"'.";
  return sheet + Dollar(Absolute) + Number(int64_t{Row} + 1) + u':' + sheet + Dollar(Absolute) +
         Number(LastIndex(Row, RowCount) + 1);
}

}  // namespace workbook
