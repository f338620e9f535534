#pragma once
// What the import does with the rows of one section's worksheet: each row is skipped (its key
// cells do not qualify) or becomes a record whose fields are normalised and checked; errors and
// warnings become list lines ending in the row number and the section suffix; amount and
// quantity columns are summed. The workbook side (finding the sheet, the row range, reading the
// cells) stays with the caller, which hands over each row's texts.
//
//   TSectionImport section(Data, TSection::A1);          // per section, counters at zero
//   for each row r in the range:
//     section.ProcessRow(r + 1, section.ReadFieldTexts(cell_count, cell_text), log);
//   section.Finish(log);                                 // sums to Data.Totals
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/statement/data.h"
#include "app/statement/sections.h"

namespace app {

// The import's two lists: errors (LogBox) and warnings (LogBox2), Windows-1250 lines.
struct TImportLog {
  std::vector<std::string> Errors;
  std::vector<std::string> Warnings;
};

// One summed column: its key, its tDataTotals slot (1-based) and the sum so far.
struct TColumnSum {
  std::string_view Key;
  int Slot = 0;
  long double Value = 0;
};

class TSectionImport {
 public:
  // Starts the section with zero counters and sums. Records go to the section's array of data;
  // amounts are rounded by data.RoundingMode.
  TSectionImport(TData& data, TSection section);

  TSection Section() const { return section_; }

  // The 1-based worksheet columns of the section's fields, in record field order.
  std::vector<std::int32_t> FieldColumns() const;

  // The field texts of one row for ProcessRow: cell_text(i) gives the value text of the row's
  // 0-based cell i (Windows-1250) and is asked only for i < cellCount. A field whose column lies
  // beyond the row's cells, or below column 1, is empty.
  std::vector<std::string> ReadFieldTexts(
      std::int32_t cellCount, const std::function<std::string(std::int32_t)>& cellText) const;

  // Handles the worksheet row rowNumber (1-based) whose field texts, in record field order, are
  // given as read from the cells (before any normaliser).
  void ProcessRow(std::int64_t rowNumber, const std::vector<std::string>& fieldTexts,
                  TImportLog& log);

  // After the last row: writes the sums to data.Totals and lists "V sekcií ... je príliš veľa
  // riadkov" when B31, D1 or D2 accepted more than two rows.
  void Finish(TImportLog& log);

  int Loaded() const { return loaded_; }  // accepted without error
  int Skipped() const { return skipped_; }
  int Errors() const { return errors_; }  // accepted with at least one error
  int Accepted() const { return loaded_ + errors_; }
  const std::vector<TColumnSum>& Sums() const { return sums_; }

 private:
  TData& data_;
  TSection section_;
  int loaded_ = 0;
  int skipped_ = 0;
  int errors_ = 0;
  std::vector<TColumnSum> sums_;
};

}  // namespace app
