#pragma once
// "Zipped CSV": a zip holding the delimited text of one worksheet. The handler moves bytes in and
// out of the zip only; the text itself is written and read by other registered handlers.
#include "workbook/model/custom_exporter.h"

namespace workbook {

class TExporterZIPCSV : public TCustomExporter {
 public:
  // Takes the registered "CSV for Excel" handler as the writer of the content (or, without one,
  // the handler registered for "csv"); the registry must outlive this handler.
  TExporterZIPCSV();

  // One entry, "data." + the inner handler's first extension, holding what it writes.
  void ExportToStream(TStream& stream, TWorkbook& workbook) override;
  // The first entry whose extension a registered handler claims is read by that handler.
  // EWorkbookFileException with WorkbookLng_InvalidZIP for a damaged archive or entry, with
  // WorkbookLng_NoValidFileInZip when no entry can be read.
  void ImportFromStream(TStream& stream, TWorkbook& workbook) override;

  TCustomExporter* InnerExporter() const { return inner_; }

 private:
  TCustomExporter* inner_ = nullptr;  // not owned
};

}  // namespace workbook
