#pragma once
// The abstract cell: an item of a row's cell list whose position is its column. The value and its
// text forms live in the concrete classes (cell_*.h). What few cells use (formula, spans,
// hyperlink, rich text) sits in an extras block created on first use, so a plain cell stays small.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "workbook/core/number_format_code.h"
#include "workbook/core/owned_list.h"
#include "workbook/core/stream.h"
#include "workbook/model/cell_class.h"
#include "workbook/model/cell_style.h"
#include "workbook/model/formula/rpn_types.h"

namespace workbook {

class TExportCellComment;
class TExportCellDrawing;
class TExportCellDrawings;
class TExportCells;
class TExportCol;
class TExportConditionalFormatting;
class TExportRow;
class TExportWorkSheet;
class TWorkbook;
class TRPNFormula;
class TStringRichTextTags;
class TXmlWriter;
class TXLSXSheetDataWriter;
class TCustomExporter;
class ICellWriteContext;

// A cell's own style and its format code in one allocation: the cell keeps one word for its
// look, its format code and its extras, as most cells have at most one of them.
struct TExportCellLook {
  template <class... Args>
  explicit TExportCellLook(Args&&... args) : Style(std::forward<Args>(args)...) {}
  TExportCellStyle Style;
  const std::u16string* FormatCode = nullptr;  // interned; the extras hold it while there are some
};

struct TExportCellExtras {
  TExportCellExtras();
  ~TExportCellExtras();
  std::unique_ptr<TExportCellLook> Look;
  const std::u16string* FormatCode = nullptr;  // interned
  std::u16string Formula;                      // with a leading "="
  std::unique_ptr<TRPNFormula> RPNFormula;     // parsed on first use
  TRPNError FormulaError = TRPNError::None;    // what the last calculation gave instead of a value
  bool AutoWidth = false;
  int ColSpan = 1;
  int RowSpan = 1;
  std::u16string Hyperlink;                           // string cells
  std::unique_ptr<TStringRichTextTags> RichTextTags;  // string cells
  std::unique_ptr<TExportCellComment> Comment;
  std::unique_ptr<TExportConditionalFormatting> ConditionalFormatting;
  std::unique_ptr<TExportCellDrawings> Drawings;
};

class TExportCell : public TOwnedListObject {
 public:
  ~TExportCell() override;

  virtual TCellClass CellClass() const = 0;

  // Navigation; null (or -1) while the cell is in no row.
  int GetColIndex() const { return GetIndex(); }
  TExportCells* Cells() const;
  TExportRow* GetRow() const;
  int GetRowIndex() const;
  TExportWorkSheet* GetWorkSheet() const;
  TWorkbook* GetWorkbook() const;
  // The sheet's column object of the cell, made when missing; null while the cell is in no sheet.
  TExportCol* GetCol() const;
  // The column's width in pixels: its own, else the sheet's default; -1 without a sheet.
  double GetColWidth() const;

  // The name the workbook's defined names hold for the cell's area (its spans included); empty
  // when there is none or the cell is in no workbook.
  std::u16string GetName() const;
  // Drops the cell's current name, then defines name for its area (an empty name only drops).
  // EWorkbookException for a cell in no workbook, or for a name that is not valid or belongs to
  // something else; the current name then stays.
  void SetName(const std::u16string& name);

  // The value as invariant text (what the import reads), and as the number format shows it.
  virtual std::u16string GetValueText() const = 0;
  virtual void SetValueText(const std::u16string& text) = 0;
  virtual std::u16string GetDisplayText() = 0;
  virtual void SetDisplayText(const std::u16string& text) = 0;

  // The cell's style. It is made when first asked for: from the sheet's default style, the class's
  // alignment, the row's (or else the column's) style and the sheet's defaults, so the many
  // cells that never change their look carry no style object.
  bool HasStyle() const { return LookIfAny() != nullptr; }
  TExportCellStyle& GetStyle();
  const TExportCellStyle* StyleIfAny() const {
    const TExportCellLook* look = LookIfAny();
    return look ? &look->Style : nullptr;
  }
  // Replaces the style by a copy of style (as readers apply a file's cell format).
  void SetStyle(const TExportCellStyle& style);
  // The cell looks as its sheet's default style, as a file's default cell format gives it: it
  // keeps no style of its own, and one made later copies that style alone, without the class's
  // alignment and the defaults a new cell takes.
  void UseSheetDefaultStyle() {
    DropStyle();
    sheetDefaultLook_ = true;
  }
  void ClearStyle() { GetStyle().Clear(); }
  void SetWrapText(bool value);
  const TExportFont& GetFont() { return GetStyle().GetFont(); }
  void ConsolidateStyle() {
    if (TExportCellLook* look = LookIfAny()) look->Style.Consolidate();
  }

  // Formula text with a leading "="; empty = none.
  const std::u16string& GetFormula() const;
  bool HasFormula() const { return ExtrasIfAny() && !ExtrasIfAny()->Formula.empty(); }
  virtual void SetFormula(const std::u16string& text);
  // A formula that comes with the cell's value, as a file stores it (readers) or a copy takes
  // it: a numeric cell's value read from a file stays its result. Otherwise as SetFormula.
  virtual void ReadFormula(const std::u16string& text) { SetFormula(text); }
  // The parsed formula, parsed on first use; null without formula text or when it does not parse.
  TRPNFormula* GetRPNFormula();
  const TRPNFormula* PeekRPNFormula() const {
    return ExtrasIfAny() ? ExtrasIfAny()->RPNFormula.get() : nullptr;
  }
  // The spreadsheet error the formula gave (None when it gave a number or was not calculated).
  TRPNError FormulaError() const {
    return ExtrasIfAny() ? ExtrasIfAny()->FormulaError : TRPNError::None;
  }
  // Formula cells of the numeric classes evaluate here.
  virtual void Calculate() {}

  // The number-format code: the stored one here, built from the settings in the numeric classes.
  virtual std::u16string GetFormatCode() const;
  const std::u16string& FormatCode() const;
  // Stores code; with parse the code's settings (decimals, symbol ...) are taken over.
  void SetFormatCode(const std::u16string& code, bool parse);
  // Stores a code InternFormatCode gave (null: none) without looking it up again, as readers
  // do with the one copy they keep per format for all its cells.
  void SetInternedFormatCode(const std::u16string* code);
  // Takes over the settings of a parsed format code (the number classes).
  virtual void ImportNumberFormat(const TNumberFormatRec& format);

  int ColSpan() const { return ExtrasIfAny() ? ExtrasIfAny()->ColSpan : 1; }
  int RowSpan() const { return ExtrasIfAny() ? ExtrasIfAny()->RowSpan : 1; }
  // At least 1 and at most the columns (rows) left from the cell to the sheet's last; in a row,
  // empty cells are added so the spanned columns exist.
  void SetColSpan(int span);
  void SetRowSpan(int span);
  // The spans cut at the last column and row of a sheet of colCount columns and rowCount rows:
  // the area a writer names. Rows inserted above a merged cell can push its span past the end.
  int ColSpanWithin(int colCount) const;
  int RowSpanWithin(int rowCount) const;
  // Kept in the extras: hardly a cell is ever marked.
  bool AutoWidth() const { return ExtrasIfAny() && ExtrasIfAny()->AutoWidth; }
  void SetAutoWidth(bool value) {
    if (value || ExtrasIfAny()) Extras().AutoWidth = value;
  }

  // Copies the content into a cell dest (the value converted by the classes); the position
  // stays. Dest takes the source's name when that name is still free in dest's workbook (a copy
  // into another workbook), since a name means one area.
  void AssignTo(TPersistent& dest) const override;

  // Replaces this cell in its row by a cell of newClass holding its content; returns the new cell
  // (this one is freed) or this cell when the class is the same.
  TExportCell* Transform(TCellClass newClass);

  // The per-format writers are no virtual members: each format's folder defines them, and these
  // hand the cell to its class's own by CellClass(), so the model links no format code. Writers
  // call these: a class's own, reached through a base such as TExportCellCustomNumber, would miss
  // a subclass's (the Boolean's).
  // The cell's BIFF8 record; XFIndex is its cell format in the writer's style sheet.
  void WriteXLS(TStream& stream, int xfIndex, ICellWriteContext& context);
  // The cell's XLSX "c" element; ref is its reference ("B3"), styleIndex its cell format.
  void WriteXLSX(TXLSXSheetDataWriter& writer, const std::u16string& ref, int styleIndex,
                 ICellWriteContext& context);
  // The cell's ODS "table:table-cell" element; styleName from the writer's cell-style list.
  void WriteODS(TXmlWriter& writer, const std::u16string& styleName, ICellWriteContext& context);

  // The text as "text:p" paragraphs, one per line; runs of blanks as "text:s", a hyperlink as
  // "text:a", the runs of tags (may be null) as "text:span" in Context's text styles.
  static void WriteODSText(TXmlWriter& writer, std::u16string_view text,
                           const std::u16string& hyperlink, const TStringRichTextTags* tags,
                           ICellWriteContext& context);
  // Row height in pixels the cell's text needs (the exporter's height of its font).
  virtual double CalcTextHeight(TCustomExporter& exporter, double columnWidth);
  // Width in pixels of the display text in the cell's font, with the exporter's padding.
  virtual int CalcTextWidth(TCustomExporter& exporter);

  // Attachments, made on first use. The ...IfAny forms answer null while there is none.
  TExportCellComment& GetComment();
  TExportCellComment* CommentIfAny() const;
  // A comment with a text.
  bool HasComment() const;
  void ClearComment();
  TExportConditionalFormatting& GetConditionalFormatting();
  TExportConditionalFormatting* ConditionalFormattingIfAny() const;
  TExportCellDrawings& GetDrawings();
  TExportCellDrawings* DrawingsIfAny() const;
  // A placement of workbook drawing drawingIndex at the offsets col, row (pixels from the cell's
  // top-left corner) with the given size.
  TExportCellDrawing* AddDrawing(int drawingIndex, int col, int row, int width, int height);

  // True when nothing needs the cell after its row was written: no drawings, no rules, no name.
  virtual bool CanFreeAfterWrite() const;

  // The text the delimited-text writer puts between its quote characters.
  void GetCSVText(char16_t quoteChar, bool replaceLineBreaks, std::u16string& text,
                  bool useValueText);

  // A new cell of the same class (not yet created), for list copies.
  std::unique_ptr<TOwnedListObject> NewInstance() const override;

 protected:
  TExportCell() = default;
  // Copies what every cell class has (formula, format code, spans, attachments) into dest.
  void AssignBase(TExportCell& dest) const;
  // The class's own alignment, and the sheet's defaults for the class, into a new style.
  virtual void SetDefaultAlignment(TExportCellStyle&) {}
  virtual void ApplyWorkSheetDefaults(TExportWorkSheet& sheet, TExportCellStyle& style);
  // Record header, row, column and XF word of a cell record.
  void WriteXLSCellHeader(TStream& stream, std::uint16_t recordId, int xfIndex,
                          std::uint16_t length) const;
  void WriteXLSBlank(TStream& stream, int xfIndex) const;
  // Opens "c" with "r" and "s" (after Calculate) and hands the attachments to the context; the
  // class adds its "t", then the formula.
  void WriteXLSXCellStart(TXLSXSheetDataWriter& writer, const std::u16string& ref, int styleIndex,
                          ICellWriteContext& context);
  void WriteXLSXFormula(TXLSXSheetDataWriter& writer, const std::u16string& ref,
                        ICellWriteContext& context);
  // Opens "table:table-cell" with its spans, style and formula (after Calculate).
  void WriteODSCellStart(TXmlWriter& writer, const std::u16string& styleName);
  // Closes "table:table-cell" after the drawings and the comment, when there are any.
  void WriteODSCellEnd(TXmlWriter& writer, ICellWriteContext& context);
  TExportCellExtras& Extras();
  void SetFormulaError(TRPNError error);
  const TExportCellExtras* ExtrasIfAny() const {
    return (link_ & kExtrasTag) ? reinterpret_cast<TExportCellExtras*>(link_ & ~kTags) : nullptr;
  }
  // The formatted code is stored as is here; the date classes normalise their own.
  void StoreFormatCode(const std::u16string& code);

 private:
  // Rules and drawings copied when the source has some, else Dest's freed; the comment when it
  // has a text, else Dest's cleared.
  void AssignAttachments(TExportCell& dest) const;
  void ReportXLSXAttachments(ICellWriteContext& context);

 protected:
  // The classes' members that fit a byte or a bit live here, in the three bytes the list item
  // leaves before the style pointer: declared in the classes themselves they would take a word of
  // their own after the value, 8 MB more for a million number cells. Each class makes its own
  // public with a using-declaration; the others leave them alone.
  std::uint8_t Decimals = 0;           // the number classes
  std::uint8_t MinIntegerDigits = 0;   // the number classes
  bool HasValue : 1 = false;           // the numeric classes
  bool valueFromFile_ : 1 = false;     // the numeric classes
  bool ThousandSeparator : 1 = false;  // the number classes
  bool RedNegative : 1 = false;        // the number classes
  bool BlankZero : 1 = false;          // the number classes
  bool IsErrorValue : 1 = false;       // Boolean cells
  bool sharedString_ : 1 = false;      // text cells
  bool sheetDefaultLook_ : 1 = false;  // see UseSheetDefaultStyle

 private:
  TExportCellLook* LookIfAny() const {
    if (link_ & kLookTag) return reinterpret_cast<TExportCellLook*>(link_ & ~kTags);
    return ExtrasIfAny() ? ExtrasIfAny()->Look.get() : nullptr;
  }
  // Gives the cell look, which has no format code yet, in place of no style.
  TExportCellStyle& InstallLook(std::unique_ptr<TExportCellLook> look);
  void DropStyle();
  const std::u16string* FormatCodeIfAny() const;

  // One word for the format code, the style and the extras: the interned code itself, or (bit 1)
  // the look, which then holds the code, or (bit 0) the extras, which then hold both.
  static constexpr std::uintptr_t kExtrasTag = 1;
  static constexpr std::uintptr_t kLookTag = 2;
  static constexpr std::uintptr_t kTags = kExtrasTag | kLookTag;
  std::uintptr_t link_ = 0;
};

}  // namespace workbook
