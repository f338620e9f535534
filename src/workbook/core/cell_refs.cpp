#include "workbook/core/cell_refs.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace workbook {

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
char16_t UpperAscii(char16_t c) { return c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c; }
bool IsLetter(char16_t c) {
  c = UpperAscii(c);
  return c >= u'A' && c <= u'Z';
}

// A run of digits as a 1-based row number; the running value is capped so that any length of
// digits is safe. Returns -1 beyond the largest sheet or without digits.
int RowNumber(std::u16string_view digits) {
  if (digits.empty()) return -1;
  int64_t value = 0;
  for (char16_t c : digits) {
    value = value * 10 + (c - u'0');
    if (value > kMaxRefRowCount) return -1;
  }
  return static_cast<int>(value);
}

// Splits "[$]letters[$]digits"; false for any other shape.
struct CellParts {
  bool colAbsolute = false;
  bool rowAbsolute = false;
  std::u16string_view letters;
  std::u16string_view digits;
};

bool SplitCell(std::u16string_view text, CellParts& parts) {
  size_t i = 0;
  if (i < text.size() && text[i] == u'$') {
    parts.colAbsolute = true;
    ++i;
  }
  const size_t lettersBegin = i;
  while (i < text.size() && IsLetter(text[i])) ++i;
  parts.letters = text.substr(lettersBegin, i - lettersBegin);
  if (i < text.size() && text[i] == u'$') {
    parts.rowAbsolute = true;
    ++i;
  }
  const size_t digitsBegin = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  parts.digits = text.substr(digitsBegin, i - digitsBegin);
  return i == text.size() && !parts.letters.empty() && !parts.digits.empty();
}

}  // namespace

int ColLettersToIndex(std::u16string_view text) {
  text = text.substr(0, text.find(u':'));
  int64_t value = 0;
  int letters = 0;
  for (char16_t c : text) {
    if (!IsLetter(c)) continue;
    if (++letters > 3) return -1;
    value = value * 26 + (UpperAscii(c) - u'A' + 1);
  }
  return letters == 0 ? -1 : static_cast<int>(value - 1);
}

namespace {

std::u16string Letters(int64_t col) {
  std::u16string result;
  if (col < 0) return result;
  int64_t n = col + 1;
  while (n > 0) {
    const int64_t d = (n - 1) % 26;
    result.insert(result.begin(), static_cast<char16_t>(u'A' + d));
    n = (n - d) / 26;
  }
  return result;
}

}  // namespace

std::u16string ColIndexToLetters(int col) { return Letters(col); }

bool ParseCellRef(std::u16string_view text, int& col, int& row, bool& colAbsolute,
                  bool& rowAbsolute) {
  CellParts parts;
  if (!SplitCell(text, parts)) return false;
  const int colIndex = ColLettersToIndex(parts.letters);
  const int rowNumber = RowNumber(parts.digits);
  if (colIndex < 0 || colIndex >= kMaxRefColCount || rowNumber < 1) return false;
  col = colIndex;
  row = rowNumber - 1;
  colAbsolute = parts.colAbsolute;
  rowAbsolute = parts.rowAbsolute;
  return true;
}

bool ParseCellRefColRow(std::u16string_view text, int& col, int& row) {
  bool colAbsolute = false;
  bool rowAbsolute = false;
  return ParseCellRef(text, col, row, colAbsolute, rowAbsolute);
}

bool ParseCellRangeRef(std::u16string_view text, TCellRangeRef& ref, bool mustBeRange) {
  TCellRangeRef r;
  const size_t colon = text.find(u':');
  if (colon != std::u16string_view::npos && colon >= 2) {
    if (!ParseCellRef(text.substr(0, colon), r.Col1, r.Row1, r.Col1Absolute, r.Row1Absolute) ||
        !ParseCellRef(text.substr(colon + 1), r.Col2, r.Row2, r.Col2Absolute, r.Row2Absolute))
      return false;
  } else {
    if (mustBeRange || !ParseCellRef(text, r.Col1, r.Row1, r.Col1Absolute, r.Row1Absolute))
      return false;
    r.Col2 = r.Col1;
    r.Row2 = r.Row1;
  }
  ref = r;
  return true;
}

bool ParseCellRangeRefColRow(std::u16string_view text, int& col1, int& row1, int& col2, int& row2,
                             bool mustBeRange) {
  TCellRangeRef r;
  if (!ParseCellRangeRef(text, r, mustBeRange)) return false;
  col1 = r.Col1;
  row1 = r.Row1;
  col2 = r.Col2;
  row2 = r.Row2;
  return true;
}

void OrderCellRangeCorners(TCellRangeRef& ref) {
  if (ref.Col1 > ref.Col2) {
    std::swap(ref.Col1, ref.Col2);
    std::swap(ref.Col1Absolute, ref.Col2Absolute);
  }
  if (ref.Row1 > ref.Row2) {
    std::swap(ref.Row1, ref.Row2);
    std::swap(ref.Row1Absolute, ref.Row2Absolute);
  }
}

bool ParseColRangeRef(std::u16string_view text, int& col1, int& col2) {
  const size_t colon = text.find(u':');
  if (colon == std::u16string_view::npos || colon < 1) return false;
  const int c1 = ColLettersToIndex(text.substr(0, colon));
  const int c2 = ColLettersToIndex(text.substr(colon + 1));
  if (c1 < 0 || c1 > c2 || c2 >= kMaxRefColCount) return false;
  col1 = c1;
  col2 = c2;
  return true;
}

bool ParseRowRangeRef(std::u16string_view text, int& row1, int& row2) {
  const size_t colon = text.find(u':');
  if (colon == std::u16string_view::npos) return false;
  // Each side keeps only its digits ("$1" is row 1); a side without digits is row 0, which fails.
  auto side = [](std::u16string_view s) {
    std::u16string digits;
    for (char16_t c : s)
      if (IsDigit(c)) digits += c;
    return digits.empty() ? 0 : RowNumber(digits);
  };
  const int r1 = side(text.substr(0, colon));
  const int r2 = side(text.substr(colon + 1));
  if (r1 < 1 || r2 < 1 || r1 > r2) return false;
  row1 = r1 - 1;
  row2 = r2 - 1;
  return true;
}

int RowFromCellRef(std::u16string_view text) {
  std::u16string digits;
  for (char16_t c : text)
    if (IsDigit(c)) digits += c;
  return digits.empty() ? 0 : RowNumber(digits);
}

namespace {

// Spans are added in 64 bits, so huge counts give long texts instead of overflowing.
std::u16string CellText(int64_t col, int64_t row, bool colAbsolute, bool rowAbsolute) {
  std::u16string text;
  if (col >= 0) {
    if (colAbsolute) text += u'$';
    text += Letters(col);
  }
  if (row >= 0) {
    if (rowAbsolute) text += u'$';
    const std::string digits = std::to_string(row + 1);
    text.append(digits.begin(), digits.end());
  }
  return text;
}

}  // namespace

std::u16string MakeCellRangeRefEx(int col, int row, int colSpan, TRefAbsolute absolute,
                                  int rowSpan) {
  std::u16string ref = CellText(col, row, absolute.Col1, absolute.Row1);
  if (colSpan >= 2 || rowSpan >= 2) {
    ref += u':';
    const int64_t col2 = col < 0 ? col : int64_t{col} + std::max(colSpan, 1) - 1;
    const int64_t row2 = row < 0 ? row : int64_t{row} + std::max(rowSpan, 1) - 1;
    ref += CellText(col2, row2, absolute.Col2, absolute.Row2);
  }
  return ref;
}

std::u16string MakeCellRangeRef(int col, int row, int colSpan, bool absolute, int rowSpan) {
  return MakeCellRangeRefEx(col, row, colSpan, TRefAbsolute::All(absolute), rowSpan);
}

std::u16string MakeCellRangeRefOpen(int maxColCount, int maxRowCount, int col, int row,
                                    int colCount, int rowCount) {
  col = std::max(col, 0);
  row = std::max(row, 0);
  // The last row is the format's last one (count - 1): the row count itself would lie past the
  // sheet.
  const int64_t col2 = colCount < 1 ? int64_t{maxColCount} - 1 : int64_t{col} + colCount - 1;
  const int64_t row2 = rowCount < 1 ? int64_t{maxRowCount} - 1 : int64_t{row} + rowCount - 1;
  return CellText(col, row, false, false) + u':' + CellText(col2, row2, false, false);
}

}  // namespace workbook
