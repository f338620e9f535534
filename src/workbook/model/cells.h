#pragma once
// A row's cells by column. Columns in front of a used one that were never touched hold no object
// (an empty slot): they become empty cells when first asked for, so padding a row up to a far
// column costs one pointer per column.
#include "workbook/core/owned_list.h"
#include "workbook/model/cell.h"

namespace workbook {

class TExportRow;
class TExportWorkSheet;
class TWorkbook;

// The owner is kept as a plain object: the list is a member of its row, which is not yet
// complete where the list's type is made.
class TExportCells : public TOwnedListOf<TExportCell> {
 public:
  explicit TExportCells(TExportRow* row);

  // The row this list belongs to; null for a free-standing list.
  TExportRow* Owner() const;

  // The cell at index (an untouched column becomes an empty cell); EListError outside
  // 0..Count-1.
  TExportCell* GetItem(std::int64_t index);
  TExportCell* operator[](std::int64_t index) { return GetItem(index); }
  // The cell at index when one exists, else null; never creates.
  TExportCell* PeekItem(std::int64_t index) const;

  // A new cell of the class appended (Add) or inserted (clamped); EWorkbookException when the
  // row would grow beyond the last column of a sheet.
  TExportCell* Add(TCellClass cellClass);
  TExportCell* Insert(std::int64_t index, TCellClass cellClass);
  // Makes Count at least count with untouched columns (never beyond the last column).
  void PadTo(int count);
  // Copies of every cell of source, untouched columns kept as they are.
  void Assign(const TExportCells& source);

  TExportWorkSheet* GetWorkSheet() const;
  TWorkbook* GetWorkbook() const;

 protected:
  // A cell leaving its row takes its name with it (the workbook keeps names by position).
  void ItemDeleting(TOwnedListObject& item, std::int64_t pos) override;
  // A row's cell list sits in the blocks of the row.
  TItemBlocks* SlotBlocks() const override;

 private:
  friend class TExportCell;
  TExportCell* InsertUnchecked(std::int64_t index, TCellClass cellClass);
  // A cell of newClass takes Old's content and its slot at index; old is freed.
  TExportCell* Replace(std::int64_t index, TCellClass newClass, TExportCell* old);
  // Puts fresh, appended last, into the slot at index and frees what was there.
  void SwapIntoSlot(std::int64_t index, TExportCell* fresh);
};

}  // namespace workbook
