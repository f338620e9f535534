// Sheet protection in SpreadsheetML: the sheetProtection element.
#include <array>
#include <string>

#include "workbook/core/units.h"
#include "workbook/model/sheet_protection.h"

namespace workbook {

namespace {

constexpr std::array<const char*, kSheetProtectionOptionCount> kAttributes = {
    "selectLockedCells", "selectUnlockedCells", "formatCells", "formatColumns",
    "formatRows",        "insertColumns",       "insertRows",  "insertHyperlinks",
    "deleteColumns",     "deleteRows",          "sort",        "autoFilter",
    "pivotTables"};

std::string Hex4(std::uint16_t value) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text(4, '0');
  for (int i = 3; i >= 0; --i, value >>= 4) text[i] = digits[value & 15];
  return text;
}

// "$" + hexadecimal as the library reads numbers: 0 when it is no 16-bit hexadecimal number.
std::uint16_t ParseHex(std::string_view text) {
  if (text.empty() || text.size() > 4) return 0;
  std::uint16_t value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else
      return 0;
    value = static_cast<std::uint16_t>(value * 16 + digit);
  }
  return value;
}

}  // namespace

void TExportWorkSheetProtection::WriteXLSX(TXmlNode sheetNode) const {
  if (!Protected) return;
  TXmlNode node = sheetNode.AddChild("sheetProtection");
  if (PasswordHash != 0) {
    node.SetAttr("password", Hex4(PasswordHash));
  } else if (!Password.empty()) {
    node.SetAttr("password", Hex4(GetPasswordHash()));
  }
  node.SetAttr("sheet", std::string_view("1"));
  for (int i = 0; i < kSheetProtectionOptionCount; ++i) {
    const TOptions bit = static_cast<TOptions>(1u << i);
    const bool allowed = (Options & bit) != 0;
    if (allowed != ((kDefaultOptions & bit) != 0))
      node.SetAttr(kAttributes[i], std::string_view(allowed ? "0" : "1"));
  }
}

void TExportWorkSheetProtection::ReadXLSX(TXmlNode node) {
  Password.clear();
  Protected = XMLStrToBoolDef(node.Attr16("sheet"), false);
  if (!Protected) {
    Options = kDefaultOptions;
    PasswordHash = 0;
    return;
  }
  PasswordHash = ParseHex(node.Attr("password"));
  Options = 0;
  for (int i = 0; i < kSheetProtectionOptionCount; ++i) {
    const TOptions bit = static_cast<TOptions>(1u << i);
    // The attributes say "protected": true forbids the action.
    const bool forbidden =
        XMLStrToBoolDef(node.Attr16(kAttributes[i]), (kDefaultOptions & bit) == 0);
    if (!forbidden) Options |= bit;
  }
}

}  // namespace workbook
