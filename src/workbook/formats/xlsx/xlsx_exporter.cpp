#include "workbook/formats/xlsx/xlsx_exporter.h"

namespace workbook {

TCustomExporterXLSX::TCustomExporterXLSX() {
  Description = u"Excel 2007";
  Extensions = {u"xlsx", u"xlsm", u"xltx", u"xltm"};
}

}  // namespace workbook
