#pragma once
// The column objects of a worksheet: width, hidden flag, page break, outline level and a style
// made on first use. The list is positional: a column's index is its place.
#include <cstdint>
#include <functional>
#include <memory>

#include "workbook/core/owned_list.h"
#include "workbook/core/xml/xml_node.h"
#include "workbook/model/cell_style.h"

namespace workbook {

class TExportWorkSheet;
class TExportCols;
class TXLSRecordReader;

// Applies a file's cell format (XF index) to a style; the readers bind it to their style sheet.
using TXFApplier = std::function<void(int xfIndex, TExportCellStyle& style)>;

class TExportCol : public TOwnedListObject {
 public:
  double Width = -1;  // pixels; -1 the sheet's default width
  bool Hidden = false;
  bool PageBreak = false;  // a page break before this column

  std::uint8_t OutlineLevel() const { return outlineLevel_; }
  // Levels above 7 are stored as 7.
  void SetOutlineLevel(int level);

  // The column's style, made on first use from the worksheet's default style.
  bool HasStyle() const { return style_ != nullptr; }
  TExportCellStyle& GetStyle();
  const TExportCellStyle* StyleIfAny() const { return style_.get(); }

  TExportCols* Cols() const;
  TExportWorkSheet* GetWorkSheet() const;

  // Width, flags, outline level and the style (a target's style is freed when Source has none).
  void AssignTo(TPersistent& dest) const override;
  std::unique_ptr<TOwnedListObject> NewInstance() const override;

 private:
  std::uint8_t outlineLevel_ = 0;
  std::unique_ptr<TExportCellStyle> style_;
};

// The owner is kept as a plain object: the list is a member of its sheet.
class TExportCols : public TOwnedListOf<TExportCol> {
 public:
  explicit TExportCols(TExportWorkSheet* owner);

  double DefaultWidth = -1;  // pixels; -1 not set

  // The column at index; columns are appended until it exists. EListError for a negative index,
  // EWorkbookException beyond the last column of a sheet.
  TExportCol* GetCol(int index);
  // The column at index when it exists, else null; never creates.
  TExportCol* FindCol(int index) const;
  void Assign(const TExportCols& source);
  TExportWorkSheet* GetWorkSheet() const;

  // A COLINFO record's data (the reader positioned at it). charWidth is the workbook's default
  // character width in pixels.
  void ReadXLS(TXLSRecordReader& reader, double charWidth, const TXFApplier& applyXF);
  // The col children of a cols element.
  void ReadXLSX(TXmlNode colsNode, double charWidth, const TXFApplier& applyXF);
  // The brk children of a colBreaks element.
  void ReadXLSXColBreaks(TXmlNode colBreaksNode);

 private:
  // The worksheet's default style, which sheet-wide column records describe.
  void ApplyDefaultStyle(int xfIndex, const TXFApplier& applyXF);
};

}  // namespace workbook
