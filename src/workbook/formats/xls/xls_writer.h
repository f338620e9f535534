#pragma once
// Writes a workbook as a BIFF8 record stream: the globals substream, then one substream per
// worksheet, the globals' BOUNDSHEET offsets pointing at them.
#include "workbook/core/stream.h"

namespace workbook {

class TWorkbook;

// The whole "Workbook" stream of Workbook into Target.
void XLSWriteWorkbookStream(TStream& target, TWorkbook& workbook);

}  // namespace workbook
