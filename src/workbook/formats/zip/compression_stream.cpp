#include "workbook/formats/zip/compression_stream.h"

namespace workbook {

bool WorkbookCompressTempData = true;

}  // namespace workbook
