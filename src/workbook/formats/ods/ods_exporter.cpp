#include "workbook/formats/ods/ods_exporter.h"

namespace workbook {

TCustomExporterODS::TCustomExporterODS() {
  Description = u"Open Office Calc";
  Extensions = {u"ods", u"ots"};
}

}  // namespace workbook
