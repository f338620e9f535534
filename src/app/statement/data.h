#pragma once
// The program-wide statement data: the settings objects, the row records of the last import, the
// column sums and the rounding mode (Data), and the main window's state (KVDPH). The windows,
// the import and the exports reach them through the two globals; the row rules take a TData& so
// that they can also run on a private instance.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/statement/records.h"
#include "app/statement/sections.h"
#include "app/statement/settings_objects.h"

namespace app {

// Rounding of amounts to hundredths, chosen before an import.
enum TRoundingMode : int {
  kNoRounding = 0,  // amounts with more than two decimals are rejected
  kRoundArithmetic = 1,
  kRoundDown = 2,
  kRoundUp = 3,
};

// Sheet index of a section whose worksheet was not found.
inline constexpr std::int32_t kNoSheet = 9999;

template <typename Record>
using TRecordArray = std::vector<std::unique_ptr<Record>>;

struct TData {
  tDataHeader Header;
  tSubject Subject;
  tDataSheets Sheets;
  tDataOffsets Offsets;
  tDataOrder Order;
  tDataTotals Totals;

  // Accepted rows of the last import, in worksheet row order.
  TRecordArray<tDataA1> RowsA1;
  TRecordArray<tDataA2> RowsA2;
  TRecordArray<tDataB1> RowsB1;
  TRecordArray<tDataB2> RowsB2;
  TRecordArray<tDataB31> RowsB31;
  TRecordArray<tDataB32> RowsB32;
  TRecordArray<tDataC1> RowsC1;
  TRecordArray<tDataC2> RowsC2;
  TRecordArray<tDataD1> RowsD1;
  TRecordArray<tDataD2> RowsD2;
  TRecordArray<tDataSV1> RowsSV1;
  TRecordArray<tDataSV2> RowsSV2;

  // Accepted rows with at least one error listed, per section (section order), in the last import.
  std::array<int, kSectionCount> ErrorRows{};

  // Index of the worksheet found for each section (section order) in the last import, kNoSheet
  // when none was found.
  std::array<std::int32_t, kSectionCount> SheetIndex{};

  int RoundingMode = kNoRounding;

  // Empties the twelve record arrays, releasing their records, and zeroes their error counts.
  void ClearRows();
};

inline constexpr std::string_view kVersionText = "1.17";

struct TKVDPH {
  std::string StartupDir;            // the current directory when the main window was created
  std::string VersionText;           // kVersionText once the main window exists
  std::vector<tVATSubject> VATList;  // the loaded VAT-payer list
  bool InputLoaded = false;          // true once an import has run to its end
  bool ImportFailed = false;         // the last import stopped on a failure after clearing the data
};

extern TData Data;
extern TKVDPH KVDPH;

}  // namespace app
