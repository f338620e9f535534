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

std::int64_t TLibraryWorkbook::CellCount(int sheet, std::int64_t row) const {
  return workbook_->WorkSheets.GetItem(sheet)->Rows.GetItem(row)->Cells.Count();
}

std::u16string TLibraryWorkbook::CellText(int sheet, std::int64_t row, std::int64_t cell) const {
  auto& cells = workbook_->WorkSheets.GetItem(sheet)->Rows.GetItem(row)->Cells;
  // An untouched column inside the row reads as empty without making a cell for it.
  const workbook::TExportCell* found = cells.PeekItem(cell);
  return found ? found->GetValueText() : std::u16string();
}

}  // namespace app
