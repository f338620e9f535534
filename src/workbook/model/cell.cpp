#include "workbook/model/cell.h"

#include <algorithm>

#include "workbook/core/exceptions.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/cells.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/drawing.h"
#include "workbook/model/format_code_pool.h"
#include "workbook/model/formula/rpn_formula.h"
#include "workbook/model/limits.h"
#include "workbook/model/load_budget.h"
#include "workbook/model/rich_text.h"
#include "workbook/model/row.h"
#include "workbook/model/workbook.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

const std::u16string kEmpty;

void ReplaceAll(std::u16string& text, const std::u16string& from, const std::u16string& to) {
  std::u16string result;
  std::size_t start = 0, found;
  while ((found = text.find(from, start)) != std::u16string::npos) {
    result.append(text, start, found - start);
    result += to;
    start = found + from.size();
  }
  result.append(text, start, std::u16string::npos);
  text.swap(result);
}

}  // namespace

// The tag bits of the link need codes, looks and extras aligned to four.
static_assert(alignof(std::u16string) >= 4 && alignof(TExportCellLook) >= 4 &&
              alignof(TExportCellExtras) >= 4);

TExportCellExtras::TExportCellExtras() = default;
TExportCellExtras::~TExportCellExtras() = default;

TExportCell::~TExportCell() {
  if (link_ & kLookTag)
    delete LookIfAny();
  else
    delete ExtrasIfAny();
}

TExportCellStyle& TExportCell::InstallLook(std::unique_ptr<TExportCellLook> look) {
  // A cell's own style, or its extras below, take a load more than a plain cell.
  TWorkbookLoadBudget::ChargeBytes(sizeof(TExportCellLook));
  TExportCellStyle& style = look->Style;
  if (link_ & kExtrasTag) {
    Extras().Look = std::move(look);
  } else {
    look->FormatCode = reinterpret_cast<const std::u16string*>(link_);
    link_ = reinterpret_cast<std::uintptr_t>(look.release()) | kLookTag;
  }
  return style;
}

void TExportCell::DropStyle() {
  if (link_ & kExtrasTag) {
    Extras().Look.reset();
  } else if (TExportCellLook* look = LookIfAny()) {
    link_ = reinterpret_cast<std::uintptr_t>(look->FormatCode);
    delete look;
  }
}

const std::u16string* TExportCell::FormatCodeIfAny() const {
  if (link_ & kExtrasTag) return ExtrasIfAny()->FormatCode;
  if (link_ & kLookTag) return LookIfAny()->FormatCode;
  return reinterpret_cast<const std::u16string*>(link_);
}

TExportCells* TExportCell::Cells() const { return static_cast<TExportCells*>(OwnerList()); }

TExportRow* TExportCell::GetRow() const { return OwnerList() ? Cells()->Owner() : nullptr; }

int TExportCell::GetRowIndex() const {
  TExportRow* row = GetRow();
  return row ? row->GetIndex() : -1;
}

TExportWorkSheet* TExportCell::GetWorkSheet() const {
  TExportRow* row = GetRow();
  return row ? row->GetWorkSheet() : nullptr;
}

TWorkbook* TExportCell::GetWorkbook() const {
  TExportRow* row = GetRow();
  return row ? row->GetWorkbook() : nullptr;
}

TExportCol* TExportCell::GetCol() const {
  TExportWorkSheet* sheet = GetWorkSheet();
  return sheet && GetColIndex() >= 0 ? sheet->Cols.GetCol(GetColIndex()) : nullptr;
}

double TExportCell::GetColWidth() const {
  const TExportWorkSheet* sheet = GetWorkSheet();
  if (!sheet) return -1;
  const TExportCol* col = sheet->Cols.FindCol(GetColIndex());
  return col && col->Width >= 0 ? col->Width : TCustomExporter::GetDefaultColWidth(*sheet);
}

std::u16string TExportCell::GetName() const {
  std::u16string name;
  const TWorkbook* book = GetWorkbook();
  if (book && book->NamedCells.Count() > 0) book->NamedCells.FindCellName(*this, name);
  return name;
}

void TExportCell::SetName(const std::u16string& name) {
  TWorkbook* book = GetWorkbook();
  if (!book)
    throw EWorkbookException(u"TExportCell.SetName: The cell is not a part of a workbook.");
  const std::u16string current = GetName();
  if (name == current) return;
  // Checked before the current name goes, so a refused name loses nothing.
  if (!name.empty()) book->NamedCells.CheckNewName(name);
  if (!current.empty()) book->NamedCells.Delete(current);
  if (!name.empty()) book->NamedCells.AddCell(name, *this);
}

TExportCellStyle& TExportCell::GetStyle() {
  if (TExportCellLook* look = LookIfAny()) return look->Style;
  TExportWorkSheet* sheet = GetWorkSheet();
  TExportRow* row = GetRow();
  auto look = std::make_unique<TExportCellLook>(GetWorkbook());
  TExportCellStyle* style = &look->Style;
  if (sheet && sheet->DefaultCellStyle) style->Assign(*sheet->DefaultCellStyle);
  if (!sheetDefaultLook_) {
    SetDefaultAlignment(*style);
    if (row && row->HasStyle()) {
      style->Assign(*row->StyleIfAny());
    } else if (const TExportCol* col = sheet ? sheet->Cols.FindCol(GetIndex()) : nullptr;
               col && col->HasStyle()) {
      style->Assign(*col->StyleIfAny());
    }
    if (sheet) ApplyWorkSheetDefaults(*sheet, *style);
  }
  return InstallLook(std::move(look));
}

void TExportCell::SetStyle(const TExportCellStyle& style) {
  if (TExportCellLook* look = LookIfAny()) return look->Style.Assign(style);
  TWorkbook* book = GetWorkbook();
  InstallLook(book ? std::make_unique<TExportCellLook>(book)
                   : std::make_unique<TExportCellLook>(style))
      .Assign(style);
}

void TExportCell::SetWrapText(bool value) {
  GetStyle().SetWrapText(value);
  if (value) SetAutoWidth(false);
}

void TExportCell::ApplyWorkSheetDefaults(TExportWorkSheet& sheet, TExportCellStyle& style) {
  static const TExportFont kNoFontOverlay = [] {
    TExportFont font;
    font.SetSize(-1);
    return font;
  }();
  if (!(sheet.DefaultFont == kNoFontOverlay)) style.GetFontForWrite().Merge(sheet.DefaultFont);
  if (!(sheet.DefaultBorders == TExportCellBorders()))
    style.GetBordersForWrite().Merge(sheet.DefaultBorders);
  if (sheet.DefaultVerticalAlignment != 0) style.SetVAlignment(sheet.DefaultVerticalAlignment);
  style.SetWrapText(sheet.DefaultWrapText);
  if (sheet.DefaultBackgroundColor != clNone) style.SetBGColor(sheet.DefaultBackgroundColor);
}

TExportCellExtras& TExportCell::Extras() {
  if (const TExportCellExtras* extras = ExtrasIfAny())
    return *const_cast<TExportCellExtras*>(extras);
  TWorkbookLoadBudget::ChargeBytes(sizeof(TExportCellExtras));
  auto* extras = new TExportCellExtras();
  extras->FormatCode = FormatCodeIfAny();
  if (link_ & kLookTag) {
    extras->Look.reset(LookIfAny());
    extras->Look->FormatCode = nullptr;
  }
  link_ = reinterpret_cast<std::uintptr_t>(extras) | kExtrasTag;
  return *extras;
}

TRPNFormula* TExportCell::GetRPNFormula() {
  if (!HasFormula()) return nullptr;
  TExportCellExtras& extras = Extras();
  if (!extras.RPNFormula) {
    auto formula = std::make_unique<TRPNFormula>(this);
    if (formula->ParseFormula(extras.Formula)) extras.RPNFormula = std::move(formula);
  }
  return extras.RPNFormula.get();
}

void TExportCell::SetFormulaError(TRPNError error) {
  if (error != TRPNError::None || ExtrasIfAny()) Extras().FormulaError = error;
}

const std::u16string& TExportCell::GetFormula() const {
  return ExtrasIfAny() ? ExtrasIfAny()->Formula : kEmpty;
}

void TExportCell::SetFormula(const std::u16string& text) {
  if (text.empty() && !ExtrasIfAny()) return;
  TWorkbookLoadBudget::ChargeTextBytes(static_cast<std::int64_t>(text.size() * sizeof(char16_t)));
  Extras().Formula = (text.empty() || text[0] == u'=') ? text : u"=" + text;
  Extras().RPNFormula.reset();
  Extras().FormulaError = TRPNError::None;
}

std::u16string TExportCell::GetFormatCode() const { return FormatCode(); }

const std::u16string& TExportCell::FormatCode() const {
  const std::u16string* code = FormatCodeIfAny();
  return code ? *code : kEmpty;
}

void TExportCell::StoreFormatCode(const std::u16string& code) {
  SetInternedFormatCode(InternFormatCode(code));
}

void TExportCell::SetInternedFormatCode(const std::u16string* interned) {
  if (link_ & kExtrasTag)
    Extras().FormatCode = interned;
  else if (link_ & kLookTag)
    LookIfAny()->FormatCode = interned;
  else
    link_ = reinterpret_cast<std::uintptr_t>(interned);
}

void TExportCell::SetFormatCode(const std::u16string& code, bool parse) {
  StoreFormatCode(code);
  if (!parse || code.empty()) return;
  TNumberFormatRec format;
  ParseNumberFormat(code, format);
  ImportNumberFormat(format);
}

void TExportCell::ImportNumberFormat(const TNumberFormatRec&) {}

void TExportCell::SetColSpan(int span) {
  span = std::max(span, 1);
  if (GetIndex() >= 0) span = std::min(span, kMaxSheetCols - GetIndex());
  if (span == 1 && !ExtrasIfAny()) return;
  Extras().ColSpan = span;
  if (span > 1) Extras().AutoWidth = false;
  if (GetIndex() >= 0) Cells()->PadTo(GetIndex() + span);
}

void TExportCell::SetRowSpan(int span) {
  span = std::clamp(span, 1, kMaxSheetRows - std::max(GetRowIndex(), 0));
  if (span == 1 && !ExtrasIfAny()) return;
  Extras().RowSpan = span;
}

int TExportCell::ColSpanWithin(int colCount) const {
  return std::clamp(ColSpan(), 1, std::max(colCount - std::max(GetColIndex(), 0), 1));
}

int TExportCell::RowSpanWithin(int rowCount) const {
  return std::clamp(RowSpan(), 1, std::max(rowCount - std::max(GetRowIndex(), 0), 1));
}

void TExportCell::AssignTo(TPersistent& dest) const {
  if (auto* cell = dynamic_cast<TExportCell*>(&dest)) AssignBase(*cell);
}

void TExportCell::AssignBase(TExportCell& dest) const {
  if (const TExportCellStyle* style = StyleIfAny())
    dest.SetStyle(*style);
  else
    dest.DropStyle();
  dest.sheetDefaultLook_ = sheetDefaultLook_;
  dest.ReadFormula(GetFormula());
  dest.SetFormatCode(FormatCode(), true);
  if (ExtrasIfAny() || dest.ExtrasIfAny()) {
    dest.Extras().ColSpan = ColSpan();
    dest.Extras().RowSpan = RowSpan();
  }
  AssignAttachments(dest);
  const std::u16string name = GetName();
  TWorkbook* destBook = dest.GetWorkbook();
  const TExportRange* taken = nullptr;
  if (!name.empty() && destBook && !destBook->NamedCells.FindName(name, taken)) dest.SetName(name);
}

TExportCell* TExportCell::Transform(TCellClass newClass) {
  if (newClass == CellClass()) return this;
  if (GetIndex() < 0)
    throw EWorkbookException(u"TExportCell.Transform: The cell is not a part of a row.");
  // The new cell takes this one's slot in place: no other cell moves, and whatever is tied to
  // the position (a defined name) stays with it.
  if (IsGeneralFormatCode(FormatCode())) StoreFormatCode(std::u16string());
  return Cells()->Replace(GetIndex(), newClass, this);
}

void TExportCell::GetCSVText(char16_t quoteChar, bool replaceLineBreaks, std::u16string& text,
                             bool useValueText) {
  Calculate();
  text = useValueText ? GetValueText() : GetDisplayText();
  if (replaceLineBreaks) {
    ReplaceAll(text, u"\r\n", u" ");
    std::replace(text.begin(), text.end(), u'\r', u' ');
    std::replace(text.begin(), text.end(), u'\n', u' ');
  }
  if (quoteChar == u'\t')
    std::replace(text.begin(), text.end(), u'\t', u' ');
  else if (quoteChar != u' ')
    ReplaceAll(text, std::u16string(1, quoteChar), std::u16string(2, quoteChar));
}

}  // namespace workbook
