#include "workbook/formats/custom_exporter.h"

#include "workbook/model/workbook.h"

namespace workbook {

void TCustomExporter::ExportToStream(TStream&, TWorkbook& workbook) { Workbook = &workbook; }

void TCustomExporter::ImportFromStream(TStream&, TWorkbook& workbook) {
  Workbook = &workbook;
  workbook.WorkSheets.Clear();
}

}  // namespace workbook
