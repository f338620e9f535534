#include "app/statement/import_workbook.h"

namespace app {

TWorkbookFactory& WorkbookFactory() {
  static TWorkbookFactory factory;
  return factory;
}

}  // namespace app
