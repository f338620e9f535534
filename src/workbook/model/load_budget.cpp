#include "workbook/model/load_budget.h"

#include <string>

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"

namespace workbook {

namespace {

[[noreturn]] void Refuse(const std::u16string& text, std::int64_t limit) {
  const std::string number = std::to_string(limit);
  throw EWorkbookFileException(
      FormatLibraryText(text, std::u16string(number.begin(), number.end())));
}

}  // namespace

TWorkbookLoadBudget*& TWorkbookLoadBudget::Current() {
  // Loads run on their caller's thread; one loading inside another's row event has its own.
  thread_local TWorkbookLoadBudget* current = nullptr;
  return current;
}

TWorkbookLoadBudget::TWorkbookLoadBudget(const TWorkbookLoadLimits& limits)
    : limits_(limits), outer_(Current()) {
  Current() = this;
}

TWorkbookLoadBudget::~TWorkbookLoadBudget() { Current() = outer_; }

void TWorkbookLoadBudget::ChargeCells(std::int64_t count) {
  CheckCells(count);
  if (TWorkbookLoadBudget* budget = Current()) budget->cells_ += count;
}

void TWorkbookLoadBudget::ChargeBytes(std::int64_t bytes) {
  TWorkbookLoadBudget* budget = Current();
  if (!budget) return;
  const std::int64_t total = budget->bytes_ + bytes;
  ChargeCells(total / kCellBytes - budget->bytes_ / kCellBytes);
  budget->bytes_ = total;
}

void TWorkbookLoadBudget::CheckCells(std::int64_t count) {
  const TWorkbookLoadBudget* budget = Current();
  if (budget && count > budget->limits_.MaxCells - budget->cells_)
    Refuse(WorkbookLng_TooManyCells, budget->limits_.MaxCells);
}

void TWorkbookLoadBudget::CheckTextBytes(std::int64_t bytes) {
  const TWorkbookLoadBudget* budget = Current();
  if (budget && bytes > budget->limits_.MaxTextBytes - budget->textBytes_)
    Refuse(WorkbookLng_TooMuchText, budget->limits_.MaxTextBytes / (1024 * 1024));
}

TWorkbookLoadLimits TWorkbookLoadBudget::Limits() {
  const TWorkbookLoadBudget* budget = Current();
  return budget ? budget->limits_ : TWorkbookLoadLimits{};
}

void TWorkbookLoadBudget::ChargeTextBytes(std::int64_t bytes) {
  CheckTextBytes(bytes);
  if (TWorkbookLoadBudget* budget = Current()) budget->textBytes_ += bytes;
}

}  // namespace workbook
