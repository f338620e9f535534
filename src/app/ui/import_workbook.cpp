#include "app/ui/import_workbook.h"

namespace app {

TWorkbookFactory& WorkbookFactory() {
  static TWorkbookFactory factory;
  return factory;
}

}  // namespace app
