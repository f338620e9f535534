#pragma once
// The first step of reading an .xls file: finding its BIFF8 record stream in the compound file.
#include "workbook/core/stream.h"
#include "workbook/formats/xls/ole_stream_reader.h"

namespace workbook {

// The BIFF8 record stream of the compound file at Source's position, to read where it lies in
// Source (which must stay open and unchanged while it is read): the stream "Workbook", or a stream
// "Book" (in any letter case) whose first record is a BIFF8 BOF, as some writers name it. Failures
// are EWorkbookFileException with WorkbookLng_OldXLS for an Excel 5.0/95 file and
// WorkbookLng_InvalidXLS for anything else that is not a sound XLS container.
TOleStreamReader XLSOpenWorkbookStream(TStream& source);

}  // namespace workbook
