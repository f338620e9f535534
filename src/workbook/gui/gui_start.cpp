#include "workbook/gui/gui_start.h"

#include <typeinfo>

#include "workbook/formats/exporter_registry.h"
#include "workbook/formats/library_start.h"
#include "workbook/gui/gui_exporters.h"
#include "workbook/gui/progress_dlg.h"
#include "workbook/gui/progress_dlg_wrapper_gui.h"
#include "workbook/gui/select_worksheet_dialog.h"
#include "workbook/gui/text_measuring.h"
#include "workbook/model/measuring_hooks.h"

namespace workbook {

namespace {

bool started = false;

bool IsHeadlessFrontHandler(const TCustomExporter& exporter) {
  return typeid(exporter) == typeid(TExporterXLSX) || typeid(exporter) == typeid(TExporterXLS) ||
         typeid(exporter) == typeid(TExporterODS);
}

}  // namespace

void StartWorkbookGui() {
  if (started) return;
  started = true;
  StartWorkbookLibrary();
  for (int i = GetExporterCount() - 1; i >= 0; --i)
    if (IsHeadlessFrontHandler(*GetExporter(i))) UnregisterExporter(i);
  RegisterExporter(std::make_unique<gui::TExporterXLSX>(), 0);
  RegisterExporter(std::make_unique<gui::TExporterXLS>(), 1);
  RegisterExporter(std::make_unique<gui::TExporterODS>(), 2);
  CharWidthHook = GetFontCharWidth;
  TextWidthHook = GetTextWidth;
  SetProgressDlgWrapperClass(TWorkbookProgressDlgWrapperGui::Create);
  SetSelectWorkSheetFunc(SelectWorksheetDialog);
}

void StopWorkbookGui() {
  FreeCharWidthCache();
  FreeProgressDlgProperties();
  started = false;
}

}  // namespace workbook
