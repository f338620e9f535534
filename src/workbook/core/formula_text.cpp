#include "workbook/core/formula_text.h"

#include <vector>

#include "workbook/core/cell_refs.h"
#include "workbook/core/sheet_refs.h"

namespace workbook {

namespace {

// The formula split into the pieces the converters care about, so that nothing inside a string
// literal, a quoted sheet name or a bracketed part (external book, structured reference) is
// mistaken for a reference or a separator.
enum class Kind { String, QuotedName, Bracket, Word, Number, Other };

struct Lexeme {
  Kind kind;
  std::u16string_view text;
};

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool IsWordStart(char16_t c) {
  return IsAsciiLetter(c) || c == u'_' || c == u'$' || c == u'\\' || c >= 0x80;
}
bool IsWordChar(char16_t c) { return IsWordStart(c) || IsDigit(c) || c == u'.'; }

// End of a stretch opened by the quote at `begin`; a doubled quote stays inside.
size_t QuotedEnd(std::u16string_view s, size_t begin) {
  const char16_t quote = s[begin];
  size_t i = begin + 1;
  while (i < s.size()) {
    if (s[i] != quote) {
      ++i;
    } else if (i + 1 < s.size() && s[i + 1] == quote) {
      i += 2;
    } else {
      return i + 1;
    }
  }
  return s.size();
}

size_t BracketEnd(std::u16string_view s, size_t begin) {
  int depth = 0;
  for (size_t i = begin; i < s.size(); ++i) {
    if (s[i] == u'[') ++depth;
    if (s[i] == u']' && --depth == 0) return i + 1;
  }
  return s.size();
}

size_t NumberEnd(std::u16string_view s, size_t i) {
  while (i < s.size() && (IsDigit(s[i]) || s[i] == u'.')) ++i;
  if (i < s.size() && (s[i] == u'E' || s[i] == u'e')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) ++j;
    if (j < s.size() && IsDigit(s[j])) {
      while (j < s.size() && IsDigit(s[j])) ++j;
      i = j;
    }
  }
  return i;
}

std::vector<Lexeme> Lex(std::u16string_view s) {
  std::vector<Lexeme> result;
  size_t i = 0;
  while (i < s.size()) {
    const char16_t c = s[i];
    Kind kind = Kind::Other;
    size_t end = i + 1;
    if (c == u'"') {
      kind = Kind::String;
      end = QuotedEnd(s, i);
    } else if (c == u'\'') {
      kind = Kind::QuotedName;
      end = QuotedEnd(s, i);
    } else if (c == u'[') {
      kind = Kind::Bracket;
      end = BracketEnd(s, i);
    } else if (IsDigit(c) || (c == u'.' && i + 1 < s.size() && IsDigit(s[i + 1]))) {
      kind = Kind::Number;
      end = NumberEnd(s, i);
    } else if (IsWordStart(c)) {
      kind = Kind::Word;
      while (end < s.size() && IsWordChar(s[end])) ++end;
    }
    result.push_back({kind, s.substr(i, end - i)});
    i = end;
  }
  return result;
}

bool IsOther(const std::vector<Lexeme>& lx, size_t k, char16_t c) {
  return k < lx.size() && lx[k].kind == Kind::Other && lx[k].text[0] == c;
}

// A cell reference as the formats write it: capital letters, optional "$", within the sheet, and
// not the name of a function ("LOG10(") or of a sheet ("A1!").
struct CellRef {
  int col = 0;
  int row = 0;
  bool colAbsolute = false;
  bool rowAbsolute = false;
};

bool IsCellRef(const std::vector<Lexeme>& lx, size_t k, CellRef& ref) {
  if (k >= lx.size() || lx[k].kind != Kind::Word) return false;
  for (char16_t c : lx[k].text)
    if (c >= u'a' && c <= u'z') return false;
  if (IsOther(lx, k + 1, u'(') || IsOther(lx, k + 1, u'!')) return false;
  return ParseCellRef(lx[k].text, ref.col, ref.row, ref.colAbsolute, ref.rowAbsolute);
}

bool IsCellRef(const std::vector<Lexeme>& lx, size_t k) {
  CellRef ref;
  return IsCellRef(lx, k, ref);
}

// A sheet name that the OpenDocument and XLSX syntaxes both take without quotes.
bool IsPlainSheetName(std::u16string_view name) {
  if (name.empty() || IsDigit(name[0])) return false;
  for (char16_t c : name)
    if (!IsAsciiLetter(c) && !IsDigit(c) && c != u'_') return false;
  return true;
}

std::u16string QuotedIfNeeded(std::u16string_view name, bool wasQuoted) {
  if (!wasQuoted && IsPlainSheetName(name)) return std::u16string(name);
  return u"'" + QuoteSheetName(name, false) + u"'";
}

std::u16string UnquoteName(std::u16string_view quoted) {
  std::u16string name;
  for (size_t i = 1; i < quoted.size(); ++i) {
    if (quoted[i] != u'\'') {
      name += quoted[i];
    } else if (i + 1 < quoted.size() && quoted[i + 1] == u'\'') {
      name += u'\'';
      ++i;
    } else {
      break;
    }
  }
  return name;
}

}  // namespace

std::u16string FormulaToXLSX(std::u16string_view formula) {
  if (!formula.empty() && formula[0] == u'=') formula.remove_prefix(1);
  std::u16string result;
  for (const Lexeme& l : Lex(formula)) {
    if (l.kind == Kind::Other && l.text[0] == u';')
      result += u',';
    else
      result += l.text;
  }
  return result;
}

std::u16string CellRefToODS(std::u16string_view ref) {
  std::u16string result = u"[.";
  for (char16_t c : ref) {
    result += c;
    if (c == u':') result += u'.';
  }
  return result + u']';
}

std::u16string FormulaToODS(std::u16string_view formula, bool addPrefix) {
  std::u16string result;
  if (addPrefix) {
    result = u"of:";
    if (formula.empty() || formula[0] != u'=') result += u'=';
  } else if (!formula.empty() && formula[0] == u'=') {
    formula.remove_prefix(1);
  }
  const std::vector<Lexeme> lx = Lex(formula);
  for (size_t k = 0; k < lx.size(); ++k) {
    const Lexeme& l = lx[k];
    std::u16string sheet;
    size_t refAt = k;
    if ((l.kind == Kind::Word || l.kind == Kind::QuotedName) && IsOther(lx, k + 1, u'!') &&
        IsCellRef(lx, k + 2)) {
      sheet = l.kind == Kind::QuotedName ? std::u16string(l.text) : QuotedIfNeeded(l.text, false);
      refAt = k + 2;
    }
    if (IsCellRef(lx, refAt)) {
      std::u16string ref = u"[" + sheet + u"." + std::u16string(lx[refAt].text);
      k = refAt;
      if (IsOther(lx, k + 1, u':') && IsCellRef(lx, k + 2)) {
        ref += u":." + std::u16string(lx[k + 2].text);
        k += 2;
      }
      result += ref + u"]";
    } else if (l.kind == Kind::Other && l.text[0] == u',') {
      result += u';';
    } else {
      result += l.text;
    }
  }
  return result;
}

std::u16string FormulaToODSExcel(std::u16string_view formula) {
  const bool hasEquals = !formula.empty() && formula[0] == u'=';
  return (hasEquals ? u"msoxl:" : u"msoxl:=") + std::u16string(formula);
}

namespace {

// One side of an ODS reference: [$][sheet].cell, the sheet plain or quoted.
struct OdsPart {
  std::u16string sheet;
  bool quoted = false;
  std::u16string_view cell;
};

bool ParseOdsPart(std::u16string_view part, OdsPart& out) {
  size_t i = 0;
  if (!part.empty() && part[0] == u'$') ++i;
  if (i < part.size() && part[i] == u'\'') {
    const size_t end = QuotedEnd(part, i);
    out.sheet = UnquoteName(part.substr(i, end - i));
    out.quoted = true;
    i = end;
  } else {
    const size_t dot = part.find(u'.', i);
    if (dot == std::u16string_view::npos) return false;
    out.sheet = std::u16string(part.substr(i, dot - i));
    i = dot;
  }
  if (i >= part.size() || part[i] != u'.' || i + 1 >= part.size()) return false;
  out.cell = part.substr(i + 1);
  return true;
}

// The inside of an ODS bracket ("$'S'.A1:.B2") in the model's form ("'S'!A1:B2"); false when it
// is no reference this form can hold.
bool OdsRefToA1(std::u16string_view content, std::u16string& result) {
  size_t colon = std::u16string_view::npos;
  for (size_t i = 0; i < content.size(); ++i) {
    if (content[i] == u'\'') {
      i = QuotedEnd(content, i) - 1;
    } else if (content[i] == u':') {
      if (colon != std::u16string_view::npos) return false;
      colon = i;
    }
  }
  OdsPart first;
  OdsPart second;
  if (!ParseOdsPart(content.substr(0, colon), first)) return false;
  const bool isRange = colon != std::u16string_view::npos;
  if (isRange && !ParseOdsPart(content.substr(colon + 1), second)) return false;
  result.clear();
  if (!first.sheet.empty()) {
    // Two different sheets make a 3-D reference, Sheet1:Sheet3!A1.
    const bool threeD = !second.sheet.empty() && second.sheet != first.sheet;
    const bool quoted = first.quoted || !IsPlainSheetName(first.sheet) ||
                        (threeD && (second.quoted || !IsPlainSheetName(second.sheet)));
    const std::u16string name = threeD ? first.sheet + u':' + second.sheet : first.sheet;
    result = (quoted ? u"'" + QuoteSheetName(name, false) + u"'" : name) + u"!";
  }
  result += first.cell;
  if (isRange) result += u':' + std::u16string(second.cell);
  return true;
}

}  // namespace

std::u16string ODSFormulaToFormula(std::u16string_view text) {
  if (text.starts_with(u"of:=")) text.remove_prefix(3);
  std::u16string result;
  size_t i = 0;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (c == u'"') {
      const size_t end = QuotedEnd(text, i);
      result += text.substr(i, end - i);
      i = end;
    } else if (c == u'[') {
      size_t end = i + 1;
      while (end < text.size() && text[end] != u']') {
        end = text[end] == u'\'' ? QuotedEnd(text, end) : end + 1;
      }
      const std::u16string_view content = text.substr(i + 1, end - i - 1);
      std::u16string ref;
      if (OdsRefToA1(content, ref)) {
        result += ref;
      } else {
        // Not a reference this form holds: keep it without its brackets and leading dots.
        for (size_t j = 0; j < content.size(); ++j) {
          if (content[j] == u'.' && (j == 0 || content[j - 1] == u':')) continue;
          result += content[j];
        }
      }
      i = end + 1;
    } else {
      result += c == u';' ? u',' : c;
      ++i;
    }
  }
  return result;
}

namespace {

// One side of a whole-column ("$E") or whole-row ("5") range.
struct LinePart {
  int64_t index = 0;
  bool absolute = false;
};

bool SplitLinePart(const Lexeme& l, bool column, LinePart& part) {
  std::u16string_view text = l.text;
  if (l.kind != Kind::Word && l.kind != Kind::Number) return false;
  part.absolute = !text.empty() && text[0] == u'$';
  if (part.absolute) text.remove_prefix(1);
  if (text.empty()) return false;
  for (char16_t c : text)
    if (column ? (c < u'A' || c > u'Z') : !IsDigit(c)) return false;
  if (column) {
    part.index = ColLettersToIndex(text);
    return part.index >= 0 && part.index < kMaxRefColCount;
  }
  part.index = RowFromCellRef(text) - 1;
  return part.index >= 0;
}

// "E:F" or "5:6" at k: shifts both sides along their one axis; the lexemes used, or 0.
size_t OffsetLineRange(const std::vector<Lexeme>& lx, size_t k, int colOffset, int rowOffset,
                       std::u16string& result) {
  if (!IsOther(lx, k + 1, u':') || k + 2 >= lx.size() || IsOther(lx, k + 3, u'(')) return 0;
  for (bool column : {true, false}) {
    LinePart first, last;
    if (!SplitLinePart(lx[k], column, first) || !SplitLinePart(lx[k + 2], column, last)) continue;
    const int offset = column ? colOffset : rowOffset;
    const int64_t limit = column ? kMaxRefColCount : kMaxRefRowCount;
    std::u16string text;
    for (LinePart* p : {&first, &last}) {
      if (!p->absolute) p->index += offset;
      if (p->index < 0 || p->index >= limit) {
        result += u"#REF!";
        return 3;
      }
      if (!text.empty()) text += u':';
      text += MakeCellRangeRefEx(column ? static_cast<int>(p->index) : -1,
                                 column ? -1 : static_cast<int>(p->index), 1,
                                 {p->absolute, p->absolute, false, false});
    }
    result += text;
    return 3;
  }
  return 0;
}

}  // namespace

std::u16string OffsetFormulaRefs(std::u16string_view formula, int colOffset, int rowOffset) {
  const std::vector<Lexeme> lx = Lex(formula);
  std::u16string result;
  for (size_t k = 0; k < lx.size(); ++k) {
    if (const size_t used = OffsetLineRange(lx, k, colOffset, rowOffset, result)) {
      k += used - 1;
      continue;
    }
    CellRef ref;
    if (!IsCellRef(lx, k, ref)) {
      result += lx[k].text;
      continue;
    }
    const int64_t col = ref.colAbsolute ? ref.col : int64_t{ref.col} + colOffset;
    const int64_t row = ref.rowAbsolute ? ref.row : int64_t{ref.row} + rowOffset;
    if (col < 0 || col >= kMaxRefColCount || row < 0 || row >= kMaxRefRowCount) {
      result += u"#REF!";
      continue;
    }
    result += MakeCellRangeRefEx(static_cast<int>(col), static_cast<int>(row), 1,
                                 {ref.colAbsolute, ref.rowAbsolute, false, false});
  }
  return result;
}

}  // namespace workbook
