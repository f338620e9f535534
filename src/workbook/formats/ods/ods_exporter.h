#pragma once
// The ODS handler: OpenDocument spreadsheets (.ods and their templates, .ots).
#include "workbook/model/custom_exporter.h"

namespace workbook {

class TCustomExporterODS : public TCustomExporter {
 public:
  TCustomExporterODS();

  void ExportToStream(TStream& stream, TWorkbook& workbook) override;
  void ImportFromStream(TStream& stream, TWorkbook& workbook) override;
  int GetCellWidthPadding() const override { return 4; }
  int GetRichTextRunSpacing() const override { return 2; }
  static constexpr int kMaxCols = 1024;
  static constexpr int kMaxRows = 1048576;
  int GetMaxColCount() const override { return kMaxCols; }
  int GetMaxRowCount() const override { return kMaxRows; }
};

// The registered handler; wrapped-text heights come with the windowing binding's measuring.
class TExporterODS : public TCustomExporterODS {};

}  // namespace workbook
