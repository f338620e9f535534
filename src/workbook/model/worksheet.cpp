#include "workbook/model/worksheet.h"

#include <algorithm>
#include <string>

#include "workbook/core/exceptions.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/library_texts.h"
#include "workbook/model/format_code_pool.h"
#include "workbook/model/sys_date_formats.h"
#include "workbook/model/workbook.h"

namespace workbook {

TExportWorkSheet::TExportWorkSheet()
    : Rows(this),
      Cols(this),
      Header(this),
      Footer(this),
      PageSettings(this),
      WindowSettings(this) {}
TExportWorkSheet::~TExportWorkSheet() = default;

std::unique_ptr<TOwnedListObject> TExportWorkSheet::NewInstance() const {
  return std::make_unique<TExportWorkSheet>();
}

void TExportWorkSheet::DoCreate() {
  DefaultFont.SetSize(-1);
  if (TWorkbook* book = GetWorkbook()) {
    DefaultCellStyle = std::make_unique<TExportCellStyle>(book);
    TExportFont& font = DefaultCellStyle->GetFontForWrite();
    font.SetName(book->DefaultFontName);
    font.SetSize(10);
    DefaultCellStyle->Consolidate();
    Header.SetFonts(DefaultCellStyle->GetFont());
    Footer.SetFonts(DefaultCellStyle->GetFont());
  }
  DateFormat = WorkbookDateFormat;
  TimeFormat = WorkbookTimeFormat;
  Name = WorkbookLng_Worksheet + u" " + ISOIntToStr(GetIndex() + 1);
}

TWorkbook* TExportWorkSheet::GetWorkbook() const {
  return OwnerList() ? static_cast<TExportWorkSheets*>(OwnerList())->GetWorkbook() : nullptr;
}

void TExportWorkSheet::SetName(const std::u16string& text) {
  Name = text;
  for (char16_t& c : Name)
    if (c == u'\\' || c == u'/' || c == u':' || c == u'*' || c == u'?' || c == u'"') c = u'-';
}

bool TExportWorkSheet::FindRow(int index, TExportRow*& row) {
  row = index >= 0 && index < Rows.Count() ? Rows.GetItem(index) : nullptr;
  return row != nullptr;
}

bool TExportWorkSheet::FindCell(int col, int row, TExportCell*& cell) {
  cell = nullptr;
  TExportRow* found;
  return FindRow(row, found) && found->FindCell(col, cell);
}

TExportCell* TExportWorkSheet::FindCreateCell(int col, int row, TCellClass cellClass,
                                              bool transform) {
  if (col < 0 || row < 0)
    throw EWorkbookException(u"TExportWorkSheet.FindCreateCell: invalid parameters");
  return GetRow(row)->FindCreateCell(col, cellClass, transform);
}

int TExportWorkSheet::GetUsedColCount(bool includeSpans) {
  int used = 0;
  for (int r = 0; r < Rows.Count(); ++r) {
    TExportRow* row = Rows.PeekItem(r);
    if (!row || row->Cells.Count() == 0) continue;
    int count = row->Cells.Count();
    if (includeSpans) {
      TExportCell* last = row->Cells.PeekItem(count - 1);
      count = count - 1 + (last ? last->ColSpan() : 1);
    }
    used = std::max(used, count);
  }
  if (includeSpans) {
    used = std::max(used, Cols.Count());
    if (PageSettings.PrintArea.HasCols()) used = std::max(used, PageSettings.PrintArea.Col2() + 1);
  }
  return used;
}

void TExportWorkSheet::DeleteTrailingEmptyRows() {
  while (Rows.Count() > 0 && !Rows.RowHasCells(Rows.Count() - 1)) Rows.Delete(Rows.Count() - 1);
}

const std::u16string* TExportWorkSheet::DefaultDateTimeCode(bool timeOnly) {
  if (!codesValid_ || cachedDateFormat_ != DateFormat || cachedTimeFormat_ != TimeFormat) {
    cachedDateFormat_ = DateFormat;
    cachedTimeFormat_ = TimeFormat;
    dateTimeCode_ = InternFormatCode(DefaultDateTimeCodeFor(DateFormat, TimeFormat, false));
    timeCode_ = InternFormatCode(DefaultDateTimeCodeFor(DateFormat, TimeFormat, true));
    codesValid_ = true;
  }
  return timeOnly ? timeCode_ : dateTimeCode_;
}

void TExportWorkSheet::AssignTo(TPersistent& target) const {
  auto* sheet = dynamic_cast<TExportWorkSheet*>(&target);
  if (!sheet) return TOwnedListObject::AssignTo(target);
  if (sheet == this) return;
  TExportWorkSheet& dest = *sheet;
  if (GetWorkbook() != dest.GetWorkbook()) dest.Name = Name;
  dest.Rows.Assign(Rows);
  dest.Cols.Assign(Cols);
  dest.Header.Assign(Header);
  dest.Footer.Assign(Footer);
  dest.PageSettings.Assign(PageSettings);
  dest.WindowSettings.Assign(WindowSettings);
  dest.Protection.Assign(Protection);
  dest.DefaultStringAlignment = DefaultStringAlignment;
  dest.DefaultStringShared = DefaultStringShared;
  dest.DefaultDateTimeAlignment = DefaultDateTimeAlignment;
  dest.DefaultNumberAlignment = DefaultNumberAlignment;
  dest.DefaultNumberBlankZero = DefaultNumberBlankZero;
  dest.DefaultVerticalAlignment = DefaultVerticalAlignment;
  dest.DateFormat = DateFormat;
  dest.TimeFormat = TimeFormat;
  dest.DefaultWrapText = DefaultWrapText;
  dest.DefaultBackgroundColor = DefaultBackgroundColor;
  if (DefaultCellStyle && dest.DefaultCellStyle) dest.DefaultCellStyle->Assign(*DefaultCellStyle);
  dest.DefaultFont = DefaultFont;
  dest.DefaultBorders = DefaultBorders;
  // Single-cell names travel with their cells; the names of larger ranges follow the sheet.
  if (TWorkbook* target = dest.GetWorkbook()) target->NamedCells.CopySheetNames(this, &dest, false);
}

TExportWorkSheets::TExportWorkSheets(TWorkbook* owner) : TOwnedListOf(owner) {}

TWorkbook* TExportWorkSheets::GetWorkbook() const { return static_cast<TWorkbook*>(Owner()); }

TExportWorkSheet* TExportWorkSheets::FindWorkSheet(const std::u16string& name) const {
  for (TExportWorkSheet* sheet : *this)
    if (sheet->Name == name) return sheet;
  return nullptr;
}

TExportWorkSheet* TExportWorkSheets::AddSheet(int index) {
  if (index < 0 || index > Count()) index = Count();
  return InsertNew<TExportWorkSheet>(index);
}

std::u16string TExportWorkSheets::GetSheetId(int index) const { return ISOIntToStr(index + 1); }

std::u16string TExportWorkSheets::GetSheetRelId(int index) const {
  return u"rId" + ISOIntToStr(index + 5);
}

}  // namespace workbook
