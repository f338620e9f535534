#pragma once
// Writes a workbook as a BIFF8 record stream: the globals substream, then one substream per
// worksheet, the globals' BOUNDSHEET offsets pointing at them.
#include "workbook/core/stream.h"

namespace workbook {

class TWorkbook;
class TCustomExporterXLS;
class TExporterXLSX_MemoryStreamList;

// The whole "Workbook" stream of workbook as the parts of list, in order: the globals, the shared
// strings, then the worksheets in streams of at most 10,000 cells. A worksheet with cells beyond
// the format's 65536 rows or 256 columns raises EWorkbookFileException before anything is
// written.
void XLSWriteWorkbookStream(TExporterXLSX_MemoryStreamList& list, TWorkbook& workbook,
                            TCustomExporterXLS& exporter);

}  // namespace workbook
