#pragma once
// Worksheets and the workbook's worksheet list.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "workbook/model/cell_style.h"
#include "workbook/model/cols.h"
#include "workbook/model/page_setup.h"
#include "workbook/model/row.h"
#include "workbook/model/sheet_pixel_grid.h"
#include "workbook/model/sheet_protection.h"
#include "workbook/model/window_settings.h"

namespace workbook {

class TWorkbook;
class TExportWorkSheets;
class TCustomExporter;

class TExportWorkSheet : public TOwnedListObject {
 public:
  TExportWorkSheet();
  ~TExportWorkSheet() override;

  // Hooks that let a caller supply rows while the sheet is written, so a large sheet need not be
  // held in memory whole.
  using TGetRowEvent = std::function<void(TWorkbook&, TExportWorkSheet&, TExportRow&)>;
  using TAddRowEvent = std::function<void(TWorkbook&, TCustomExporter&, TExportWorkSheet&, int)>;

  std::u16string Name;
  TExportRows Rows;
  TExportCols Cols;
  TExportHeaders Header;
  TExportHeaders Footer;
  TExportPageSettings PageSettings;
  TExportWindowSettings WindowSettings;
  TExportWorkSheetProtection Protection;
  TGetRowEvent OnGetRow;
  TAddRowEvent OnAddRow;
  std::uint8_t DefaultStringAlignment = 0;  // 0 keeps the class default
  bool DefaultStringShared = true;
  std::uint8_t DefaultDateTimeAlignment = 2;
  std::u16string DateFormat;
  std::u16string TimeFormat;
  std::uint8_t DefaultNumberAlignment = 3;
  bool DefaultNumberBlankZero = false;
  std::uint8_t DefaultVerticalAlignment = 0;
  bool DefaultWrapText = false;
  TColor DefaultBackgroundColor = clNone;
  // The style every new cell and row starts from (font: the workbook's default name, size 10);
  // Null while the sheet is in no workbook.
  std::unique_ptr<TExportCellStyle> DefaultCellStyle;
  // Overlays merged into every new cell's font and borders (only what they set).
  TExportFont DefaultFont;
  TExportCellBorders DefaultBorders;

  TWorkbook* GetWorkbook() const;

  // Stores text with \ / : * ? " each replaced by "-".
  void SetName(const std::u16string& text);

  TExportRow* GetRow(int index) { return Rows.GetRow(index); }
  bool FindRow(int index, TExportRow*& row);
  TExportCol* GetCol(int index) { return Cols.GetCol(index); }
  bool FindCol(int index, TExportCol*& col) const {
    col = Cols.FindCol(index);
    return col != nullptr;
  }
  bool FindCell(int col, int row, TExportCell*& cell);
  TExportCell* FindCreateCell(int col, int row, TCellClass cellClass, bool transform);
  // Appends (index < 0) or inserts a row.
  TExportRow* AddRow(int index = -1) { return Rows.AddRow(index); }

  int GetUsedColCount(bool includeSpans);

  // Writer support. A writer sizes a sheet once before its rows:
  //   TSheetPixelGrid grid;
  //   sheet.CalcAutoSizes(exporter, grid);   // column widths and every row's height
  // takes its column records (cols, COLINFO, column styles) from grid.ColWidths (an entry below 0
  // is the sheet's default width, grid.DefaultColWidth), and before each row r calls
  //   sheet.PrepareRowWrite(exporter, r, &grid);
  //   if (r >= sheet.Rows.Count()) break;   // OnAddRow may have added row r
  // then writes the row with grid.RowHeight(r). Pictures and comment boxes are placed with
  // GetPixelPosition and GetCellAtPixelPosition on that grid. Writers that need no sizes
  // (delimited text) pass no grid.

  // Fills grid with the sheet's sizes in pixels. rowIndex < 0: the column widths (a column's own
  // width, widened to the widest text of its cells marked AutoWidth) and the height of every row;
  // rowIndex >= 0: only that row's height, measured against the widths already in grid. A row
  // without a height of its own is as tall as its tallest cell text (wrapped texts laid out in the
  // width of the columns they span), at least the sheet's default row height.
  void CalcAutoSizes(TCustomExporter& exporter, TSheetPixelGrid& grid, int rowIndex = -1);
  // Runs before row rowIndex is written. In the workbook's write-rows-by-event mode the program's
  // OnGetRow fills that row (or OnAddRow adds it just past the last one), the cells of the rows
  // written since the last call are freed where they allow it (and a row left plain with them),
  // and the row's height in grid (when given) is measured again. Does nothing outside that mode.
  void PrepareRowWrite(TCustomExporter& exporter, int rowIndex, TSheetPixelGrid* grid = nullptr);
  // X = baseX + the widths of columns col1..col2-1 in grid, Y likewise down rows row1..row2-1;
  // both rounded. The grid carries the sheet's sizes, so no sheet is needed (a comment or picture
  // without a cell is placed too).
  static void GetPixelPosition(const TSheetPixelGrid& grid, int& x, int& y, int col1, int col2,
                               int baseX, int row1, int row2, int baseY);
  // The inverse: from (col, row) walks right while the X offset covers the column, down likewise;
  // the end cell and the remaining offsets (rounded). maxCol/maxRow bound the walk to the sheet.
  static void GetCellAtPixelPosition(const TSheetPixelGrid& grid, int& col, int& row, int& x,
                                     int& y, int maxCol = 16383, int maxRow = 1048575);
  void DeleteTrailingEmptyRows();
  std::u16string GetXLSXDrawingFileName() const;

  // The normalised code new date/time cells (timeOnly: time cells) of this sheet start with,
  // built and interned once per pair of sheet formats.
  const std::u16string* DefaultDateTimeCode(bool timeOnly);

  // Copies content and settings into a sheet dest; the name only between different workbooks.
  void AssignTo(TPersistent& dest) const override;
  std::unique_ptr<TOwnedListObject> NewInstance() const override;

 protected:
  void DoCreate() override;

 private:
  // Write-rows-by-event: the rows before this one have been freed of what they allow.
  int sweptRows_ = 0;
  std::u16string cachedDateFormat_, cachedTimeFormat_;
  const std::u16string* dateTimeCode_ = nullptr;
  const std::u16string* timeCode_ = nullptr;
  bool codesValid_ = false;
};

// The owner is kept as a plain object: the list is a member of its workbook, which is not yet
// complete where the list's type is made.
class TExportWorkSheets : public TOwnedListOf<TExportWorkSheet> {
 public:
  explicit TExportWorkSheets(TWorkbook* owner);

  // The first sheet named exactly name, null when none.
  TExportWorkSheet* FindWorkSheet(const std::u16string& name) const;
  // Appends (index < 0) or inserts (clamped) a new sheet named after its position.
  TExportWorkSheet* AddSheet(int index = -1);

  TWorkbook* GetWorkbook() const;
  std::u16string GetSheetId(int index) const;
  std::u16string GetSheetRelId(int index) const;
};

}  // namespace workbook
