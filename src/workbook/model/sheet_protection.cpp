#include "workbook/model/sheet_protection.h"

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"

namespace workbook {

void TExportWorkSheetProtection::SetAllowed(TSheetProtectionOption option, bool allowed) {
  Options =
      allowed ? (Options | SheetProtectionBit(option)) : (Options & ~SheetProtectionBit(option));
}

std::uint16_t TExportWorkSheetProtection::PasswordVerifier(const std::u16string& password) {
  if (password.empty()) return 0;
  // The characters are taken from the last to the first, each after a one-bit rotation of the
  // 15-bit verifier, then the length the same way. Rotating within 15 bits keeps every password
  // length right: shifting each character by its position in a wider word, as a shortcut does,
  // drops bits from the 24th character on and gives a verifier Excel and LibreOffice refuse.
  const auto rotate = [](std::uint16_t v) -> std::uint16_t {
    return static_cast<std::uint16_t>(((v >> 14) & 1) | ((v << 1) & 0x7FFF));
  };
  std::uint16_t verifier = 0;
  for (auto c = password.rbegin(); c != password.rend(); ++c) {
    if (*c >= 128)
      throw EWorkbookException(FormatLibraryText(WorkbookLng_InvalidPasswordChars, password));
    verifier = static_cast<std::uint16_t>(rotate(verifier) ^ *c);
  }
  verifier = static_cast<std::uint16_t>(rotate(verifier) ^ (password.size() & 0xFFFF));
  return static_cast<std::uint16_t>(verifier ^ 0xCE4B);
}

std::uint16_t TExportWorkSheetProtection::GetPasswordHash() const {
  return PasswordVerifier(Password);
}

void TExportWorkSheetProtection::AssignTo(TPersistent& target) const {
  auto* dest = dynamic_cast<TExportWorkSheetProtection*>(&target);
  if (!dest) return TPersistent::AssignTo(target);
  dest->Protected = Protected;
  dest->Password = Password;
  dest->Options = Options;
  dest->PasswordHash = PasswordHash;
}

}  // namespace workbook
