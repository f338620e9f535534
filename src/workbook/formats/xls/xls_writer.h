#pragma once
// Writes a workbook as a BIFF8 record stream: the globals substream, then one substream per
// worksheet, the globals' BOUNDSHEET offsets pointing at them.
#include "workbook/core/stream.h"

namespace workbook {

class TWorkbook;
class TCustomExporterXLS;

// The whole "Workbook" stream of workbook into target. A worksheet with cells beyond the format's
// 65536 rows or 256 columns raises EWorkbookFileException before anything is written.
void XLSWriteWorkbookStream(TStream& target, TWorkbook& workbook, TCustomExporterXLS& exporter);

}  // namespace workbook
