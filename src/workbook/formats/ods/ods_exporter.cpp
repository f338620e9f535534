#include "workbook/formats/ods/ods_exporter.h"

#include "workbook/core/exceptions.h"

namespace workbook {

TCustomExporterODS::TCustomExporterODS() {
  Description = u"Open Office Calc";
  Extensions = {u"ods", u"ots"};
}

void TCustomExporterODS::ExportToStream(TStream& stream, TWorkbook& workbook) {
  TCustomExporter::ExportToStream(stream, workbook);
  // Writing packages is not built yet: refuse rather than leave an empty file behind.
  throw EWorkbookException(u"Writing ODS files is not supported.");
}

}  // namespace workbook
