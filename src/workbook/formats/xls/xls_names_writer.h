#pragma once
// The NAME records a BIFF8 workbook's globals end with: the defined names (in the order formula
// name tokens count them), then each worksheet's print area and print titles.
#include "workbook/core/stream.h"

namespace workbook {

class TWorkbook;

void XLSWriteNames(TStream& stream, TWorkbook& workbook);

}  // namespace workbook
