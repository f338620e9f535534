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

std::u16string QuoteSheetName(std::u16string_view name, bool truncate) {
  if (truncate) name = name.substr(0, kMaxSheetNameLength);
  std::u16string result;
  for (char16_t c : name) {
    result += c;
    if (c == u'\'') result += c;
  }
  return result;
}

bool ParseSheetCellRangeRef(std::u16string_view text, std::u16string& sheetName, TCellRangeRef& ref,
                            bool mustBeRange) {
  std::u16string name;
  std::u16string_view range = text;
  if (!text.empty() && text[0] == u'\'') {
    // A quoted name may hold "!" and doubled quotes; it ends at a single "'".
    size_t i = 1;
    for (; i < text.size(); ++i) {
      if (text[i] != u'\'') {
        name += text[i];
      } else if (i + 1 < text.size() && text[i + 1] == u'\'') {
        name += u'\'';
        ++i;
      } else {
        break;
      }
    }
    if (i + 1 >= text.size() || text[i] != u'\'' || text[i + 1] != u'!') return false;
    range = text.substr(i + 2);
  } else if (const size_t bang = text.find(u'!'); bang != std::u16string_view::npos) {
    for (char16_t c : text.substr(0, bang))
      if (c != u'\'') name += c;
    range = text.substr(bang + 1);
  }
  if (!ParseCellRangeRef(range, ref, mustBeRange)) return false;
  sheetName = std::move(name);
  return true;
}

bool ParseSheetCellRangeRefColRow(std::u16string_view text, std::u16string& sheetName, int& col1,
                                  int& row1, int& col2, int& row2, bool mustBeRange) {
  TCellRangeRef r;
  if (!ParseSheetCellRangeRef(text, sheetName, r, mustBeRange)) return false;
  col1 = r.Col1;
  row1 = r.Row1;
  col2 = r.Col2;
  row2 = r.Row2;
  return true;
}

std::u16string MakeSheetRangeRef(std::u16string_view name, int col, int row, TRefAbsolute absolute,
                                 int colSpan, int rowSpan) {
  return u"'" + QuoteSheetName(name, true) + u"'!" +
         MakeCellRangeRefEx(col, row, colSpan, absolute, rowSpan);
}

std::u16string MakeSheetColRangeRef(std::u16string_view name, int col, int colCount) {
  return u"'" + QuoteSheetName(name, true) + u"'!$" + ColIndexToLetters(col) + u":$" +
         ColIndexToLetters(
             static_cast<int>(std::min<int64_t>(LastIndex(col, colCount), INT32_MAX)));
}

std::u16string MakeSheetRowRangeRef(std::u16string_view name, int row, int rowCount) {
  return u"'" + QuoteSheetName(name, true) + u"'!$" + Number(int64_t{row} + 1) + u":$" +
         Number(LastIndex(row, rowCount) + 1);
}

// An absolute address fixes its sheet in both halves: a sheet left relative in one half moves
// with the cell that uses the address, and a name used on another sheet then spans sheets.
std::u16string MakeODSRangeRef(std::u16string_view name, int col, int row, bool absolute,
                               int rowSpan, int colSpan) {
  const std::u16string sheet = Dollar(absolute) + u"'" + QuoteSheetName(name, false) + u"'.";
  std::u16string ref = sheet + MakeCellRangeRef(col, row, 1, absolute, 1);
  if (colSpan >= 2 || rowSpan >= 2) {
    const std::u16string last =
        MakeCellRangeRefEx(col, row, colSpan, TRefAbsolute::All(absolute), rowSpan);
    ref += u':' + sheet + last.substr(last.find(u':') + 1);
  }
  return ref;
}

std::u16string MakeODSColRangeRef(std::u16string_view name, int col, int colCount, bool absolute) {
  const std::u16string sheet = Dollar(absolute) + u"'" + QuoteSheetName(name, false) + u"'.";
  const int last = static_cast<int>(std::min<int64_t>(LastIndex(col, colCount), INT32_MAX));
  return sheet + Dollar(absolute) + ColIndexToLetters(col) + u':' + sheet + Dollar(absolute) +
         ColIndexToLetters(last);
}

std::u16string MakeODSRowRangeRef(std::u16string_view name, int row, int rowCount, bool absolute) {
  const std::u16string sheet = Dollar(absolute) + u"'" + QuoteSheetName(name, false) + u"'.";
  return sheet + Dollar(absolute) + Number(int64_t{row} + 1) + u':' + sheet + Dollar(absolute) +
         Number(LastIndex(row, rowCount) + 1);
}

}  // namespace workbook
