#include "workbook/model/row.h"

#include <algorithm>
#include <string>

#include "workbook/core/exceptions.h"
#include "workbook/core/list_error.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_empty.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/limits.h"
#include "workbook/model/load_budget.h"
#include "workbook/model/workbook.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

bool IsEmptyCell(TExportCell* cell) {
  if (!cell) return true;
  switch (cell->CellClass()) {
    case TCellClass::Empty:
      return true;
    case TCellClass::String:
      return static_cast<TExportCellString*>(cell)->GetValueShared().empty() && !cell->HasFormula();
    default:
      return !static_cast<TExportCellCustomNumber*>(cell)->HasValue && !cell->HasFormula();
  }
}

}  // namespace

// A sheet may hold a million rows: the list item with the flags in its spare bytes, the cell list,
// the height and the style pointer.
static_assert(sizeof(TExportRow) <= 72);

TExportRow::TExportRow() : Cells(this) {}
TExportRow::~TExportRow() = default;

std::unique_ptr<TOwnedListObject> TExportRow::NewInstance() const {
  return std::make_unique<TExportRow>();
}

TExportRows* TExportRow::Rows() const { return static_cast<TExportRows*>(OwnerList()); }

TExportWorkSheet* TExportRow::GetWorkSheet() const {
  return OwnerList() ? Rows()->GetWorkSheet() : nullptr;
}

TWorkbook* TExportRow::GetWorkbook() const { return OwnerList() ? Rows()->GetWorkbook() : nullptr; }

bool TExportRow::IsPlain() const {
  return Cells.Count() == 0 && !HasStyle() && Height < 0 && !Hidden && OutlineLevel == 0 &&
         !PageBreak && HeightMode == 0;
}
TExportCellStyle& TExportRow::GetStyle() {
  if (!style_) {
    TExportWorkSheet* sheet = GetWorkSheet();
    style_ = std::make_unique<TExportCellStyle>(GetWorkbook());
    if (sheet && sheet->DefaultCellStyle) style_->Assign(*sheet->DefaultCellStyle);
  }
  return *style_;
}

void TExportRow::ConsolidateStyles() {
  if (style_) style_->Consolidate();
  Cells.ForEachItem([](std::int32_t, TOwnedListObject* cell) {
    static_cast<TExportCell*>(cell)->ConsolidateStyle();
  });
}

bool TExportRow::FindCell(int index, TExportCell*& cell) {
  cell = index >= 0 && index < Cells.Count() ? Cells.GetItem(index) : nullptr;
  return cell != nullptr;
}

TExportCell* TExportRow::FindCreateCell(int index, TCellClass cellClass, bool transform) {
  if (index < 0 || index >= kMaxSheetCols)
    throw EWorkbookException(u"TExportRow.FindCreateCell: invalid parameters");
  if (index > Cells.Count()) Cells.PadTo(index);
  if (index == Cells.Count()) return Cells.Add(cellClass);
  TExportCell* cell = Cells.GetItem(index);
  return transform ? cell->Transform(cellClass) : cell;
}

TExportCellEmpty* TExportRow::AddCellEmpty() {
  return static_cast<TExportCellEmpty*>(Cells.Add(TCellClass::Empty));
}

TExportCellString* TExportRow::AddCellString(const std::u16string& text) {
  auto* cell = static_cast<TExportCellString*>(Cells.Add(TCellClass::String));
  cell->SetValue(text);
  return cell;
}

TExportCellNumber* TExportRow::AddCellNumber(double value, std::uint8_t decimals) {
  auto* cell = static_cast<TExportCellNumber*>(Cells.Add(TCellClass::Number));
  cell->SetValue(value);
  cell->SetDecimals(decimals);
  return cell;
}

TExportCellBoolean* TExportRow::AddCellBoolean(bool value) {
  auto* cell = static_cast<TExportCellBoolean*>(Cells.Add(TCellClass::Boolean));
  cell->SetBoolean(value);
  return cell;
}

void TExportRow::SetHeight(double value) {
  Height = value;
  if (value >= 0) HeightMode = 0;
}

void TExportRow::SetHeightMode(std::uint8_t mode) {
  HeightMode = mode;
  if (mode == 2) Height = -1.0;
}

void TExportRow::DeleteTrailingEmptyCells() {
  int last = Cells.Count() - 1;
  while (last >= 0 && IsEmptyCell(Cells.PeekItem(last))) {
    Cells.Delete(last);
    --last;
  }
  if (last < 0) return;
  TExportCell* cell = Cells.PeekItem(last);
  int span = cell->ColSpan();
  if (span >= 2) {
    cell->SetColSpan(1);
    cell->SetColSpan(span);
  }
}

void TExportRow::AssignTo(TPersistent& dest) const {
  auto* row = dynamic_cast<TExportRow*>(&dest);
  if (!row) return TOwnedListObject::AssignTo(dest);
  row->Cells.Assign(Cells);
  row->SetHeight(Height);
  row->Hidden = Hidden;
  row->SetHeightMode(HeightMode);
  row->PageBreak = PageBreak;
  row->SetOutlineLevel(OutlineLevel);
  if (style_)
    row->GetStyle().Assign(*style_);
  else
    row->style_.reset();
}

TExportRows::TExportRows(TExportWorkSheet* owner) : TOwnedListOf(owner) {}

TExportWorkSheet* TExportRows::GetWorkSheet() const {
  return static_cast<TExportWorkSheet*>(Owner());
}

TWorkbook* TExportRows::GetWorkbook() const {
  return GetWorkSheet() ? GetWorkSheet()->GetWorkbook() : nullptr;
}

void TExportRows::CheckRowIndex(std::int64_t index) const {
  if (index < 0) RaiseListIndexError(index);
  if (index >= kMaxSheetRows) {
    std::string row = std::to_string(index + 1);
    throw EWorkbookException(u"TExportRows: row " + std::u16string(row.begin(), row.end()) +
                             u" is beyond the last row of a worksheet.");
  }
}

void TExportRows::ConsolidateLastRow() {
  TExportRow* last = PeekItem(Count() - 1);
  if (!last) return;
  last->ConsolidateStyles();
  // Rows are built in order: the last one is done, so its cell list needs no room to grow.
  last->Cells.Compact();
}

TExportRow* TExportRows::GetRow(int index) {
  CheckRowIndex(index);
  if (index < Count()) return GetItem(index);
  ConsolidateLastRow();
  // Rows asked for in order are appended: only a row beyond the next leaves untouched slots.
  PadWithEmptySlots(index);
  return NewRow(index);
}

TExportRow* TExportRows::GetItem(std::int64_t index) {
  if (TExportRow* row = TOwnedListOf::GetItem(index)) return row;
  // An untouched row comes into being in its slot: made last, then swapped into place.
  TExportRow* fresh = NewRow(Count());
  Exchange(index, fresh->GetIndex());
  Delete(Count() - 1);
  return fresh;
}

TExportRow* TExportRows::NewRow(std::int64_t index) {
  // A row with its cell list and its place in the sheet costs more than a cell.
  TWorkbookLoadBudget::ChargeBytes(sizeof(TExportRow) + sizeof(void*));
  if (TWorkbook* book = GetWorkbook())
    return TOwnedListObject::CreateInsertIn<TExportRow>(book->CellBlocks, *this, index);
  return InsertNew<TExportRow>(index);
}

TExportRow* TExportRows::PeekItem(std::int64_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return TOwnedListOf::GetItem(index);
}

bool TExportRows::RowHasCells(int index) const {
  TExportRow* row = PeekItem(index);
  return row && row->Cells.Count() > 0;
}

TExportRow* TExportRows::AddRow(int index) {
  CheckRowIndex(Count());
  ConsolidateLastRow();
  if (index < 0 || index > Count()) index = Count();
  return NewRow(index);
}

void TExportRows::ItemDeleting(TOwnedListObject& item, std::int64_t pos) {
  const auto& row = static_cast<const TExportRow&>(item);
  TWorkbook* book = GetWorkbook();
  if (cellNamesDropped_ || row.Cells.Count() == 0 || !book || book->Destroying() ||
      book->NamedCells.Count() == 0)
    return;
  book->NamedCells.DeleteRowCellNames(GetWorkSheet(), static_cast<int>(pos), row.Cells);
}

void TExportRows::Assign(const TExportRows& source) {
  if (&source == this) return;
  TWorkbook* book = GetWorkbook();
  if (book && !book->Destroying()) book->NamedCells.DeleteSheetCellNames(*GetWorkSheet());
  cellNamesDropped_ = true;
  Clear();
  cellNamesDropped_ = false;
  DefaultRowHeight = source.DefaultRowHeight;
  source.ForEachItem([this](std::int32_t pos, TOwnedListObject* item) {
    PadWithEmptySlots(pos);
    NewRow(pos)->Assign(*static_cast<const TExportRow*>(item));
  });
  PadWithEmptySlots(source.Count());
}

}  // namespace workbook
