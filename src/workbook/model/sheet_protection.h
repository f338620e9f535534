#pragma once
// Sheet protection. Files store only a hash of the password, so a sheet read from a file keeps
// that hash to write it back unchanged.
#include <cstdint>
#include <string>
#include <vector>

#include "workbook/core/object.h"
#include "workbook/core/xml/xml_node.h"
#include "workbook/core/xml/xml_writer.h"

namespace workbook {

class TXLSRecordReader;

// The actions a protected sheet may allow, in the order of their XLSX attributes.
enum class TSheetProtectionOption : std::uint8_t {
  spSelectLockedCells,
  spSelectUnlockedCells,
  spFormatCells,
  spFormatColumns,
  spFormatRows,
  spInsertColumns,
  spInsertRows,
  spInsertHyperlinks,
  spDeleteColumns,
  spDeleteRows,
  spSort,
  spAutoFilter,
  spPivotTables,
};
inline constexpr int kSheetProtectionOptionCount = 13;

// The option's bit in an option set.
constexpr std::uint16_t SheetProtectionBit(TSheetProtectionOption option) {
  return static_cast<std::uint16_t>(1u << static_cast<unsigned>(option));
}

class TExportWorkSheetProtection : public TPersistent {
 public:
  using TOptions = std::uint16_t;  // bit N: option N allowed
  // Selecting locked and unlocked cells stays allowed.
  static constexpr TOptions kDefaultOptions =
      SheetProtectionBit(TSheetProtectionOption::spSelectLockedCells) |
      SheetProtectionBit(TSheetProtectionOption::spSelectUnlockedCells);

  bool Protected = false;
  std::u16string Password;
  TOptions Options = kDefaultOptions;
  std::uint16_t PasswordHash = 0;  // verifier from a file; 0 none

  bool IsAllowed(TSheetProtectionOption option) const {
    return (Options & SheetProtectionBit(option)) != 0;
  }
  void SetAllowed(TSheetProtectionOption option, bool allowed);

  // The 16-bit verifier of Password (0 for none); EWorkbookException for a character of code 128
  // or more.
  std::uint16_t GetPasswordHash() const;
  static std::uint16_t PasswordVerifier(const std::u16string& password);

  // table:table-protection inside the open table:table element (the table's table:protected
  // attribute is the ODS writer's).
  void WriteODS(TXmlWriter& writer) const;
  // PROTECT and PASSWORD records, headers included; empty when not protected.
  std::vector<std::uint8_t> WriteXLS() const;
  // The FEATHEADR record of enhanced protection, header included; empty when not protected.
  std::vector<std::uint8_t> WriteXLSFeatHeader() const;
  // sheetProtection as a child of sheetNode, when protected.
  void WriteXLSX(TXmlNode sheetNode) const;
  void ReadXLSX(TXmlNode sheetProtectionNode);
  // Record data of PROTECT, PASSWORD and FEATHEADR.
  void ReadXLSProtect(TXLSRecordReader& reader);
  void ReadXLSPassword(TXLSRecordReader& reader);
  void ReadXLSFeatHeader(TXLSRecordReader& reader);

  void AssignTo(TPersistent& dest) const override;
};

}  // namespace workbook
