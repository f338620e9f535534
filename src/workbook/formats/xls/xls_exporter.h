#pragma once
// The XLS handler: Excel 97-2003 workbooks (.xls, .xlt), BIFF8 records in a compound file.
#include "workbook/model/custom_exporter.h"

namespace workbook {

class TCustomExporterXLS : public TCustomExporter {
 public:
  TCustomExporterXLS();
  // Replaces the workbook's content by the file's worksheets and cells. Failures are
  // EWorkbookFileException (not an XLS file, an Excel 5.0/95 or older file, an encrypted file, a
  // damaged record) and EXLSSharedStrings (a damaged shared-string table).
  void ImportFromStream(TStream& stream, TWorkbook& workbook) override;
  // Writes the workbook as a compound file holding the BIFF8 stream "Workbook".
  void ExportToStream(TStream& stream, TWorkbook& workbook) override;
  int GetCellWidthPadding() const override { return 7; }
  int GetRichTextRunSpacing() const override { return 2; }
  int GetMaxColCount() const override { return 256; }
  int GetMaxRowCount() const override { return 65536; }
  // A template handler makes the writer mark its files as templates (TEMPLATE record).
  virtual bool IsTemplate() const { return false; }
};

// The registered handler.
class TExporterXLS : public TCustomExporterXLS {};

}  // namespace workbook
