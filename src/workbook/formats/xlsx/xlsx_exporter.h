#pragma once
// The XLSX handler: Office Open XML spreadsheet packages (.xlsx, .xlsm and their templates).
#include "workbook/model/custom_exporter.h"

namespace workbook {

class TCustomExporterXLSX : public TCustomExporter {
 public:
  TCustomExporterXLSX();

  // The whole package: worksheets, styles, shared strings and the fixed parts.
  void ExportToStream(TStream& stream, TWorkbook& workbook) override;
  void ImportFromStream(TStream& stream, TWorkbook& workbook) override;
  // The word between "spreadsheetml." and ".main+xml" in the workbook's content type.
  virtual std::u16string GetSheetFileName() const { return u"sheet"; }
  int GetCellWidthPadding() const override { return 7; }
  int GetRichTextRunSpacing() const override { return 2; }
  int GetMaxColCount() const override { return 16384; }
  int GetMaxRowCount() const override { return 1048576; }
};

// The registered handler; wrapped-text heights come with the windowing binding's measuring.
class TExporterXLSX : public TCustomExporterXLSX {};

}  // namespace workbook
