#include "app/ui/library_workbook.h"

#include "workbook/model/workbook.h"

namespace app {

TLibraryWorkbook::TLibraryWorkbook() : workbook_(std::make_unique<workbook::TWorkbook>()) {}
TLibraryWorkbook::~TLibraryWorkbook() = default;

void TLibraryWorkbook::LoadFromFile(const std::u16string& fileName) {
  workbook_->LoadFromFile(fileName);
}

int TLibraryWorkbook::SheetCount() const { return workbook_->WorkSheets.Count(); }

std::u16string TLibraryWorkbook::SheetName(int sheet) const {
  return workbook_->WorkSheets.GetItem(sheet)->Name;
}

std::int64_t TLibraryWorkbook::RowCount(int sheet) const {
  return workbook_->WorkSheets.GetItem(sheet)->Rows.Count();
}

// Untouched rows and columns read as empty without making objects for them, so walking a sheet
// whose only cell sits far out stays cheap.
std::int64_t TLibraryWorkbook::CellCount(int sheet, std::int64_t row) const {
  const workbook::TExportRow* found = workbook_->WorkSheets.GetItem(sheet)->Rows.PeekItem(row);
  return found ? found->Cells.Count() : 0;
}

std::u16string TLibraryWorkbook::CellText(int sheet, std::int64_t row, std::int64_t cell) const {
  const workbook::TExportRow* found = workbook_->WorkSheets.GetItem(sheet)->Rows.PeekItem(row);
  const workbook::TExportCell* item = found ? found->Cells.PeekItem(cell) : nullptr;
  if (!item) return std::u16string();
  std::u16string text = item->GetValueText();
  // An .ods file types every date as a date and time of day; a date at midnight reads as the date
  // alone, as the date cells of .xlsx and .xls files do, so the date checks take it alike.
  constexpr std::u16string_view midnight = u" 00:00:00";
  if (item->CellClass() == workbook::TCellClass::DateTime && text.ends_with(midnight))
    text.resize(text.size() - midnight.size());
  return text;
}

}  // namespace app
