#pragma once
// The first step of reading an .xls file: taking its BIFF8 record stream out of the compound file.
#include "workbook/core/stream.h"

namespace workbook {

// Appends the BIFF8 record stream of the compound file at Source's position to target: the stream
// "Workbook", or a stream "Book" (in any letter case) whose first record is a BIFF8 BOF, as some
// writers name it. Failures are EWorkbookFileException with WorkbookLng_OldXLS for an Excel 5.0/95
// file and WorkbookLng_InvalidXLS for anything else that is not a sound XLS container; target is
// then left as it was.
void XLSReadWorkbookStream(TStream& source, TStream& target);

}  // namespace workbook
