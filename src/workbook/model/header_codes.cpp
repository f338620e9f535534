// The spreadsheet "&" code form of header and footer sections.
#include <algorithm>
#include <array>

#include "workbook/core/invariant_texts.h"
#include "workbook/core/oformat.h"
#include "workbook/model/page_setup.h"

namespace workbook {

namespace {

struct TFieldCode {
  char16_t code;
  const char16_t* field;
};

constexpr std::array<TFieldCode, 6> kFieldCodes = {{{u'P', u"[PAGENUMBER]"},
                                                    {u'N', u"[PAGECOUNT]"},
                                                    {u'A', u"[SHEETNAME]"},
                                                    {u'D', u"[DATE]"},
                                                    {u'T', u"[TIME]"},
                                                    {u'F', u"[FILENAME]"}}};

// The largest font size spreadsheet programs accept; larger sizes from a file are ignored.
constexpr std::int64_t kMaxFontSize = 409;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool IsHexDigit(char16_t c) {
  return IsDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

int HexValue(char16_t c) {
  if (IsDigit(c)) return c - u'0';
  return (c | 0x20) - u'a' + 10;
}

// Six hexadecimal digits RRGGBB at pos.
bool HasColor(const std::u16string& text, std::size_t pos) {
  if (text.size() < pos + 6) return false;
  for (std::size_t i = pos; i < pos + 6; ++i)
    if (!IsHexDigit(text[i])) return false;
  return true;
}

TColor ColorAt(const std::u16string& text, std::size_t pos) {
  auto byte = [&](std::size_t at) {
    return static_cast<std::uint8_t>(HexValue(text[at]) * 16 + HexValue(text[at + 1]));
  };
  return RGBToColor(byte(pos), byte(pos + 2), byte(pos + 4));
}

bool Contains(std::u16string_view text, std::u16string_view part) {
  return text.find(part) != std::u16string_view::npos;
}

}  // namespace

void TExportHeader::SetText(const std::u16string& text) {
  Text = text;
  excelText_.clear();
}

std::u16string TExportHeader::GetExcelText() const {
  if (!excelText_.empty()) return excelText_;
  const TExportFontStyle& style = Font.GetStyle();
  std::u16string result = u"&\"" + Font.GetName();
  if (style.Bold == 1 || style.Italic == 1) {
    result += u',';
    if (style.Bold == 1) result += u"Bold ";
    if (style.Italic == 1) result += u"Italic ";
    while (!result.empty() && result.back() == u' ') result.pop_back();
  }
  const std::string size = std::to_string(Font.GetSize());
  result += u"\"&" + std::u16string(size.begin(), size.end());
  if (style.StrikeOut == 1) result += u"&S";
  if (style.Underline == 1 || style.Underline == 3) result += u"&U";
  if (style.Underline == 2 || style.Underline == 4) result += u"&E";
  if (style.VertPosition == 1) result += u"&X";
  if (style.VertPosition == 2) result += u"&Y";
  result += u"&K" + OFormat::ColorToHTMLHex(Font.GetColor(), false);
  std::u16string body;
  for (char16_t c : Text) {
    body += c;
    if (c == u'&') body += u'&';
  }
  for (const TFieldCode& field : kFieldCodes)
    body = OFormat::ReplaceAllIgnoreCase(body, field.field, std::u16string{u'&', field.code});
  return result + body;
}

void TExportHeader::SetExcelText(const std::u16string& text) {
  Font.SetName(std::u16string());
  Font.SetSize(10);
  Font.SetColor(clNone);
  TExportFontStyle& style = Font.GetStyle();
  style.Bold = 2;
  style.Underline = 5;
  style.Italic = 2;
  style.StrikeOut = 2;
  style.VertPosition = 3;
  std::u16string result;
  bool begun = false;
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    const char16_t c = text[i];
    if (c != u'&' || i + 1 == n) {
      result += c;
      begun = true;
      ++i;
      continue;
    }
    const char16_t code = text[i + 1];
    i += 2;
    if (code == u'"') {
      const std::size_t close = text.find(u'"', i);
      if (close == std::u16string::npos) break;
      if (!begun) {
        const std::u16string part = text.substr(i, close - i);
        const std::size_t comma = part.find(u',');
        Font.SetName(part.substr(0, comma));
        if (comma != std::u16string::npos) {
          const std::u16string_view styles = std::u16string_view(part).substr(comma + 1);
          if (Contains(styles, u"Bold") || Contains(styles, u"Fett")) style.Bold = 1;
          if (Contains(styles, u"Italic") || Contains(styles, u"Kursiv")) style.Italic = 1;
        }
      }
      i = close + 1;
    } else if (code == u'&') {
      result += u'&';
    } else if (IsDigit(code)) {
      std::size_t end = i;
      while (end < n && IsDigit(text[end])) ++end;
      const std::int64_t size = ISOStrToIntDef(text.substr(i - 1, end - i + 1), -1);
      if (!begun && size >= 1 && size <= kMaxFontSize) Font.SetSize(static_cast<int>(size));
      i = end;
      if (i + 1 < n && text[i] == u' ' && IsDigit(text[i + 1])) ++i;
    } else if (auto field = std::find_if(kFieldCodes.begin(), kFieldCodes.end(),
                                         [code](const TFieldCode& f) { return f.code == code; });
               field != kFieldCodes.end()) {
      result += field->field;
    } else if (code == u'K') {
      if (HasColor(text, i)) {
        if (!begun) Font.SetColor(ColorAt(text, i));
        i += 6;
      }
    } else if (!begun) {
      switch (code) {
        case u'B':
          style.Bold = 1;
          break;
        case u'I':
          style.Italic = 1;
          break;
        case u'U':
          style.Underline = 1;
          break;
        case u'E':
          style.Underline = 2;
          break;
        case u'S':
          style.StrikeOut = 1;
          break;
        case u'X':
          style.VertPosition = 1;
          break;
        case u'Y':
          style.VertPosition = 2;
          break;
        default:
          break;
      }
    }
  }
  SetText(result);
  excelText_ = text;
}

void TExportHeader::AssignTo(TPersistent& target) const {
  auto* dest = dynamic_cast<TExportHeader*>(&target);
  if (!dest) return TPersistent::AssignTo(target);
  dest->SetText(Text);
  const std::u16string codes = GetExcelText();
  dest->SetExcelText(codes);
  dest->Text = Text;
  dest->Font = Font;
}

bool TExportHeaders::HasText() const {
  return !Left.Text.empty() || !Center.Text.empty() || !Right.Text.empty();
}

void TExportHeaders::SetFonts(const TExportFont& font) {
  Left.Font = font;
  Center.Font = font;
  Right.Font = font;
}

std::u16string TExportHeaders::BuildExcelString() const {
  std::u16string result;
  if (!Left.Text.empty()) result += u"&L" + Left.GetExcelText();
  if (!Center.Text.empty()) result += u"&C" + Center.GetExcelText();
  if (!Right.Text.empty()) result += u"&R" + Right.GetExcelText();
  return result;
}

void TExportHeaders::ParseExcelString(const std::u16string& text) {
  Left.SetText(std::u16string());
  Center.SetText(std::u16string());
  Right.SetText(std::u16string());
  if (text.empty()) return;
  // Where each section's codes begin (the "&" of "&L", "&C", "&R"); the last one counts.
  std::size_t starts[3] = {std::u16string::npos, std::u16string::npos, std::u16string::npos};
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    const char16_t code = text[i + 1];
    if (code == u'L') starts[0] = i;
    if (code == u'C') starts[1] = i;
    if (code == u'R') starts[2] = i;
    ++i;  // "&&" and every other code pair are passed over whole
  }
  TExportHeader* sections[3] = {&Left, &Center, &Right};
  bool any = false;
  for (int s = 0; s < 3; ++s) {
    if (starts[s] == std::u16string::npos) continue;
    any = true;
    // A section runs to the next section that begins after it, whatever their order.
    std::size_t end = text.size();
    for (std::size_t other : starts)
      if (other != std::u16string::npos && other > starts[s]) end = std::min(end, other);
    sections[s]->SetExcelText(text.substr(starts[s] + 2, end - starts[s] - 2));
  }
  // Spreadsheet programs show a header without section codes centred.
  if (!any) Center.SetExcelText(text);
}

void TExportHeaders::AssignTo(TPersistent& target) const {
  auto* dest = dynamic_cast<TExportHeaders*>(&target);
  if (!dest) return TPersistent::AssignTo(target);
  dest->Left.Assign(Left);
  dest->Center.Assign(Center);
  dest->Right.Assign(Right);
  dest->Margin = Margin;
}

}  // namespace workbook
