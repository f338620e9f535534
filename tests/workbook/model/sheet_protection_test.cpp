#include "workbook/model/sheet_protection.h"

#include <gtest/gtest.h>

#include "workbook/core/exceptions.h"
#include "workbook/core/thrown.h"

namespace workbook {
namespace {

// Expected values from Python: openpyxl's hash_password for up to 15 characters, and the same
// rotation with 32-bit shifts written out by hand for longer passwords.
TEST(PasswordHashTest, MatchesIndependentValues) {
  const std::pair<std::u16string, std::uint16_t> cases[] = {
      {u"", 0},
      {u"password", 0x83AF},
      {u"a", 0xCE88},
      {u"xxxxxxxxxxxxxxx", 0xCE44},
      {u"abcdefghijklmnopqrstuvwxyz0123456789", 0xFA06},
      {std::u16string(40, u'~'), 0x9A1D}};
  for (const auto& [password, hash] : cases)
    EXPECT_EQ(TExportWorkSheetProtection::PasswordVerifier(password), hash);
  // A very long password runs through every shift without reading outside it.
  EXPECT_NO_THROW(TExportWorkSheetProtection::PasswordVerifier(std::u16string(100000, u'z')));
}

TEST(PasswordHashTest, InternationalCharactersRaise) {
  EXPECT_EQ(test::Thrown<EWorkbookException>(
                [] { TExportWorkSheetProtection::PasswordVerifier(u"he\u0161lo"); }),
            "The password \"he\xC5\xA1lo\" has invalid characters.\r\n\r\n"
            "Please do not use any international characters.");
  EXPECT_THROW(TExportWorkSheetProtection::PasswordVerifier(std::u16string(1, char16_t{128})),
               EWorkbookException);
  EXPECT_NO_THROW(TExportWorkSheetProtection::PasswordVerifier(std::u16string(1, char16_t{127})));
}

}  // namespace
}  // namespace workbook
