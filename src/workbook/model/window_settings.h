#pragma once
// How a sheet looks when opened (panes, zoom, what is shown, where the cursor is), kept so a file
// passed through the library opens the way its author left it.
#include <cstdint>
#include <string>
#include <vector>

#include "workbook/core/color.h"
#include "workbook/core/color_sources.h"
#include "workbook/core/xml/xml_node.h"
#include "workbook/model/range.h"

namespace workbook {

class TExportWorkSheet;
class TXLSRecordReader;

// The frozen panes: Row frozen rows and Col frozen columns.
class TExportWindowSplit : public TExportCellAddress {
 public:
  bool IsSplit() const { return Row > 0 || Col > 0; }

  // A pane element (frozen) as a child of sheetViewNode, when split.
  void WriteXLSX(TXmlNode sheetViewNode) const;
  // The first pane of sheetViewNode that is frozen (or has no state).
  void ReadXLSX(TXmlNode sheetViewNode);
  // The PANE record (0x0041), header included; empty when not split.
  std::vector<std::uint8_t> WriteXLS() const;
  // PANE record data: the frozen columns and rows.
  void ReadXLS(TXLSRecordReader& reader);
  // The split-mode and position items of a sheet's settings.xml entry; an unfrozen side shows
  // from topLeft.
  void WriteODSConfig(TXmlNode entryNode, const TExportCellAddress& topLeft) const;
};

class TExportWindowSettings : public TPersistent {
 public:
  explicit TExportWindowSettings(TExportWorkSheet* owner);

  TExportWorkSheet* Owner() const { return owner_; }
  TExportWindowSplit Split;
  TExportRange AutoFilter;
  int Zoom = 100;
  bool ShowRowColHeaders = true;
  bool ShowGridLines = true;
  TColor TabColor = clNone;
  bool SummaryRowsAbove = false;
  bool SummaryColsLeft = false;
  TExportRange Selection;  // A1
  TExportCellAddress TopLeftCell;

  bool HasAutoFilter() const { return AutoFilter.HasColsAndRows(); }

  // sheetView (with pane or selection) as a child of sheetViewsNode.
  void WriteXLSX(TXmlNode sheetViewsNode) const;
  // A sheetView element.
  void ReadXLSX(TXmlNode sheetViewNode);
  // The children of sheetPr; fitToPage comes from the page settings.
  void WriteXLSXSheetPr(TXmlNode sheetPrNode, bool fitToPage) const;
  // A sheetPr element; returns the fitToPage flag of pageSetUpPr for the page settings. The tab
  // colour's theme and indexed forms resolve through theme and palette (either may be nullptr).
  bool ReadXLSXSheetPr(TXmlNode sheetPrNode, const IThemeColors* theme,
                       const IColorPalette* palette);
  // The autoFilter element as a child of sheetNode, when there is a filter.
  void WriteXLSXAutoFilter(TXmlNode sheetNode) const;
  void ReadXLSXAutoFilter(TXmlNode autoFilterNode);
  // The sheet-qualified absolute reference for the _xlnm._FilterDatabase name.
  std::u16string GetXLSXAutoFilterRef() const;

  // WINDOW2, SELECTION, SCL and, when the panes are frozen, PANE: the view records of a sheet,
  // headers included. selected: the sheet is the workbook's selected (first) sheet.
  std::vector<std::uint8_t> WriteXLSView(bool selected) const;
  // SELECTION record data: the selected range (whole rows or columns when it spans them).
  void ReadXLSSelection(TXLSRecordReader& reader);

  // The SHEETLAYOUT record (0x0862), header included; empty without a tab colour. paletteIndex is
  // the palette's index of TabColor.
  std::vector<std::uint8_t> WriteXLSSheetLayout(std::uint16_t paletteIndex) const;
  // SHEETLAYOUT record data: a palette index inside the palette sets TabColor.
  void ReadXLSSheetLayout(TXLSRecordReader& reader, const IColorPalette& palette);

  // The sheet's config:config-item-map-entry as a child of tablesNode (settings.xml): the cursor,
  // then the split's items.
  void WriteODSConfig(TXmlNode tablesNode) const;
  // A table:database-range child of databaseRangesNode, when there is a filter.
  void WriteODSAutoFilter(TXmlNode databaseRangesNode) const;

  // Split, auto-filter and outline placement.
  void AssignTo(TPersistent& dest) const override;

 private:
  TExportWorkSheet* owner_;
};

}  // namespace workbook
