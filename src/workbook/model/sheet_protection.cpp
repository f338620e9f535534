#include "workbook/model/sheet_protection.h"

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"

namespace workbook {

void TExportWorkSheetProtection::SetAllowed(TSheetProtectionOption option, bool allowed) {
  Options =
      allowed ? (Options | SheetProtectionBit(option)) : (Options & ~SheetProtectionBit(option));
}

std::uint16_t TExportWorkSheetProtection::PasswordVerifier(const std::u16string& password) {
  std::uint32_t hash = 0;
  for (std::size_t i = 0; i < password.size(); ++i) {
    if (password[i] >= 128)
      throw EWorkbookException(FormatLibraryText(WorkbookLng_InvalidPasswordChars, password));
    // Shifts stay below 32 and run in 32 bits, so no password length can overflow them.
    const std::uint32_t shifted = std::uint32_t{password[i]} << ((i + 1) % 32);
    hash ^= (shifted & 0x7FFF) | ((shifted >> 15) & 0x7FFF);
  }
  if (password.empty()) return 0;
  return static_cast<std::uint16_t>((hash ^ password.size() ^ 0xCE4B) & 0xFFFF);
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
