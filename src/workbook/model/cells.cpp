#include "workbook/model/cells.h"

#include <algorithm>
#include <string>

#include "workbook/core/exceptions.h"
#include "workbook/model/cell_class_visit.h"
#include "workbook/model/limits.h"
#include "workbook/model/load_budget.h"
#include "workbook/model/row.h"
#include "workbook/model/workbook.h"

namespace workbook {

TExportCells::TExportCells(TExportRow* row) : TOwnedListOf(row) {}

TExportRow* TExportCells::Owner() const { return static_cast<TExportRow*>(TOwnedListOf::Owner()); }

TExportWorkSheet* TExportCells::GetWorkSheet() const {
  return Owner() ? Owner()->GetWorkSheet() : nullptr;
}

TWorkbook* TExportCells::GetWorkbook() const { return Owner() ? Owner()->GetWorkbook() : nullptr; }

TExportCell* TExportCells::GetItem(std::int64_t index) {
  TExportCell* cell = TOwnedListOf::GetItem(index);
  if (cell) return cell;
  TExportCell* fresh = InsertUnchecked(Count(), TCellClass::Empty);
  SwapIntoSlot(index, fresh);
  return fresh;
}

TExportCell* TExportCells::PeekItem(std::int64_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return TOwnedListOf::GetItem(index);
}

TExportCell* TExportCells::InsertUnchecked(std::int64_t index, TCellClass cellClass) {
  TWorkbookLoadBudget::ChargeCells(1);
  TWorkbook* book = GetWorkbook();
  return VisitCellClass(cellClass, [&](auto tag) -> TExportCell* {
    using T = typename decltype(tag)::type;
    if (!book) return InsertNew<T>(index);
    return TOwnedListObject::CreateInsertIn<T>(book->CellBlocks, *this, index);
  });
}

TExportCell* TExportCells::Add(TCellClass cellClass) { return Insert(Count(), cellClass); }

TExportCell* TExportCells::Insert(std::int64_t index, TCellClass cellClass) {
  if (Count() >= kMaxSheetCols) {
    std::string last = std::to_string(kMaxSheetCols);
    throw EWorkbookException(u"TExportCells: a row holds at most " +
                             std::u16string(last.begin(), last.end()) + u" cells.");
  }
  return InsertUnchecked(index, cellClass);
}

void TExportCells::PadTo(int count) { PadWithEmptySlots(std::min(count, kMaxSheetCols)); }

void TExportCells::Assign(const TExportCells& source) {
  if (&source == this) return;
  Clear();
  source.ForEachItem([this](std::int32_t pos, TOwnedListObject* item) {
    const auto* from = static_cast<const TExportCell*>(item);
    PadWithEmptySlots(pos);
    InsertUnchecked(pos, from->CellClass())->Assign(*from);
  });
  PadWithEmptySlots(source.Count());
}

TExportCell* TExportCells::Replace(std::int64_t index, TCellClass newClass, TExportCell* old) {
  // Created last in the row, so its creation sees the row and the sheet like any new cell.
  TExportCell* fresh = InsertUnchecked(Count(), newClass);
  fresh->Assign(*old);
  SwapIntoSlot(index, fresh);
  return fresh;
}

void TExportCells::SwapIntoSlot(std::int64_t index, TExportCell* fresh) {
  Exchange(index, fresh->GetIndex());
  // The cell replaced is taken out rather than deleted: its name now belongs to Fresh.
  if (TExportCell* replaced = TOwnedListOf::GetItem(Count() - 1))
    Extract(replaced);
  else
    Delete(Count() - 1);
}

TItemBlocks* TExportCells::SlotBlocks() const { return Owner() ? Owner()->Blocks() : nullptr; }

void TExportCells::ItemDeleting(TOwnedListObject& item, std::int64_t pos) {
  TWorkbook* book = GetWorkbook();
  if (!book || book->Destroying() || book->NamedCells.Count() == 0) return;
  const auto& cell = static_cast<const TExportCell&>(item);
  std::u16string name;
  if (book->NamedCells.FindRangeName(GetWorkSheet(), static_cast<int>(pos), Owner()->GetIndex(),
                                     cell.ColSpan(), cell.RowSpan(), name))
    book->NamedCells.Delete(name);
}

}  // namespace workbook
