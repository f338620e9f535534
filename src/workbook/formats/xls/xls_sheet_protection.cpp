// Sheet protection in BIFF8: PROTECT (0x0012), PASSWORD (0x0013) and FEATHEADR (0x0867).
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_record_reader.h"
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/model/sheet_protection.h"

namespace workbook {

namespace {

// The enhanced-protection bit of each option, in option order.
constexpr std::uint16_t kFeatureBits[kSheetProtectionOptionCount] = {
    0x0400, 0x4000, 0x0004, 0x0008, 0x0010, 0x0020, 0x0040,
    0x0080, 0x0100, 0x0200, 0x0800, 0x1000, 0x2000};

}  // namespace

std::vector<std::uint8_t> TExportWorkSheetProtection::WriteXLS() const {
  std::vector<std::uint8_t> data;
  if (!Protected) return data;
  XLSPutWord(data, xls_record::kProtect);
  XLSPutWord(data, 2);
  XLSPutWord(data, 1);
  if (Password.empty() && PasswordHash == 0) return data;
  XLSPutWord(data, xls_record::kPassword);
  XLSPutWord(data, 2);
  XLSPutWord(data, PasswordHash != 0 ? PasswordHash : GetPasswordHash());
  return data;
}

std::vector<std::uint8_t> TExportWorkSheetProtection::WriteXLSFeatHeader() const {
  std::vector<std::uint8_t> data;
  if (!Protected) return data;
  XLSPutWord(data, xls_record::kFeatHeader);
  XLSPutWord(data, 23);
  XLSPutWord(data, xls_record::kFeatHeader);  // the future-record header repeats the id
  XLSPutWord(data, 0);                        // grbitFrt
  data.insert(data.end(), 8, 0);
  XLSPutWord(data, 2);  // enhanced protection
  data.push_back(1);
  XLSPutWord(data, 0xFFFF);
  XLSPutWord(data, 0xFFFF);
  std::uint16_t bits = 0;
  for (int i = 0; i < kSheetProtectionOptionCount; ++i)
    if (Options & (1u << i)) bits |= kFeatureBits[i];
  XLSPutWord(data, bits);
  XLSPutWord(data, 0);
  return data;
}

void TExportWorkSheetProtection::ReadXLSProtect(TXLSRecordReader& reader) {
  Protected = reader.ReadWord() == 1;
}

void TExportWorkSheetProtection::ReadXLSPassword(TXLSRecordReader& reader) {
  PasswordHash = reader.ReadWord();
  Password.clear();
}

void TExportWorkSheetProtection::ReadXLSFeatHeader(TXLSRecordReader& reader) {
  reader.Skip(12);
  const std::uint16_t kind = reader.ReadWord();
  reader.Skip(5);
  // Shared-feature headers of other kinds (smart tags, ignored errors) hold no protection word.
  if (kind != 2 || reader.Left() < 2) return;
  const std::uint16_t bits = reader.ReadWord();
  for (int i = 0; i < kSheetProtectionOptionCount; ++i)
    if (bits & kFeatureBits[i]) Options |= static_cast<TOptions>(1u << i);
}

}  // namespace workbook
