#pragma once
// Rows of a worksheet and the sheet's row list. The list is positional (a row's number is its
// place) and sparse: rows in front of a used one that were never touched hold no object until
// they are asked for, so a sheet whose only cell sits in its last row stays small.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "workbook/model/cell_style.h"
#include "workbook/model/cells.h"

namespace workbook {

class TExportRows;
class TExportWorkSheet;
class TWorkbook;
class TExportCellString;
class TExportCellNumber;
class TExportCellBoolean;
class TExportCellEmpty;
class TXmlNode;
class TXmlWriter;
class TXLSXSheetDataWriter;

class TExportRow : public TOwnedListObject {
 public:
  TExportRow();
  ~TExportRow() override;

  // The small members first, in the bytes the list item leaves before its next word.
  bool Hidden : 1 = false;
  bool PageBreak : 1 = false;
  std::uint8_t HeightMode = 0;  // 0 fixed, 1 or 2 measured (2: not written as a custom height)
  std::uint8_t OutlineLevel = 0;
  TExportCells Cells;
  double Height = -1.0;  // pixels; -1 automatic

  // No cells and nothing of its own (style, height, flags, level): a row like one never made.
  bool IsPlain() const;
  // The row's own style, made from the sheet's default style when first asked for.
  bool HasStyle() const { return style_ != nullptr; }
  TExportCellStyle& GetStyle();
  const TExportCellStyle* StyleIfAny() const { return style_.get(); }
  // Folds the private font and border copies of the row's and its cells' styles into the
  // workbook's registries.
  void ConsolidateStyles();

  TExportRows* Rows() const;
  TExportWorkSheet* GetWorkSheet() const;
  TWorkbook* GetWorkbook() const;

  bool FindCell(int index, TExportCell*& cell);
  // The cell at index, padding the row with empty cells and appending a cellClass cell when the
  // row is shorter; an existing cell changes class only with transform. EWorkbookException for a
  // negative index or one beyond the last column.
  TExportCell* FindCreateCell(int index, TCellClass cellClass, bool transform);

  TExportCell* AddCell(TCellClass cellClass) { return Cells.Add(cellClass); }
  TExportCellEmpty* AddCellEmpty();
  TExportCellString* AddCellString(const std::u16string& text);
  TExportCellNumber* AddCellNumber(double value, std::uint8_t decimals);
  TExportCellBoolean* AddCellBoolean(bool value);

  // A height >= 0 also makes the height fixed; mode 2 forgets the height.
  void SetHeight(double value);
  void SetHeightMode(std::uint8_t mode);
  void SetOutlineLevel(std::uint8_t level) { OutlineLevel = level > 7 ? 7 : level; }

  // Frees empty cells from the end of the row (used after importing text and ODS).
  void DeleteTrailingEmptyCells();
  // Cells (copies), height, flags and outline level into a row dest.
  void AssignTo(TPersistent& dest) const override;
  // The BIFF8 ROW record (nothing for an automatic height without a style); XFIndex is the row
  // style's cell format, height the row's height in pixels as the writer computed it.
  void WriteXLS(TStream& stream, int xfIndex, double height) const;
  // Opens the XLSX "row" element with its attributes ("r" last); the writer adds the cells and
  // closes it. A manual page break is added to rowBreaks for the sheet's rowBreaks element.
  void WriteXLSX(TXLSXSheetDataWriter& writer, double height, int styleIndex,
                 std::vector<int>& rowBreaks) const;
  // Opens the ODS "table:table-row" element; styleName from the writer's row-style list.
  void WriteODS(TXmlWriter& writer, const std::u16string& styleName) const;
  std::unique_ptr<TOwnedListObject> NewInstance() const override;

 private:
  std::unique_ptr<TExportCellStyle> style_;
};

// The owner is kept as a plain object: the list is a member of its sheet, which is not yet
// complete where the list's type is made.
class TExportRows : public TOwnedListOf<TExportRow> {
 public:
  explicit TExportRows(TExportWorkSheet* owner);

  double DefaultRowHeight = -1.0;  // pixels; -1 unset
  // The row at index; rows are appended until it exists. EListError for a negative index,
  // EWorkbookException beyond the last row of a sheet.
  TExportRow* GetRow(int index);
  // The row at index (created when it was never touched); EListError outside 0..Count-1.
  TExportRow* GetItem(std::int64_t index);
  TExportRow* operator[](std::int64_t index) { return GetItem(index); }
  // The row at index when one was created, else null; never creates.
  TExportRow* PeekItem(std::int64_t index) const;
  // True when a row exists there and holds at least one cell.
  bool RowHasCells(int index) const;

  // Appends (index < 0) or inserts (clamped) a new row; EWorkbookException when the sheet would
  // grow beyond its last row. The styles of the row that was last are consolidated first, so
  // rows are best built in order.
  TExportRow* AddRow(int index = -1);
  // Every child of an XLSX rowBreaks element whose "man" is true gives the row numbered by its
  // "id" a page break; ids that are no row of a sheet are passed over.
  void ReadXLSXRowBreaks(const TXmlNode& node);
  // Copies of every row of source, untouched rows kept as they are.
  void Assign(const TExportRows& source);

  TExportWorkSheet* GetWorkSheet() const;
  TWorkbook* GetWorkbook() const;

 protected:
  // A row that goes takes its cells' names with it.
  void ItemDeleting(TOwnedListObject& item, std::int64_t pos) override;

 private:
  void CheckRowIndex(std::int64_t index) const;
  void ConsolidateLastRow();
  // A new row at index (0..Count), in the workbook's blocks when the sheet has a workbook.
  TExportRow* NewRow(std::int64_t index);

  // Set while every row goes at once, their names already dropped in one pass.
  bool cellNamesDropped_ = false;
};

}  // namespace workbook
