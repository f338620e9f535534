#include "workbook/formats/library_start.h"

#include "workbook/formats/exporter_registry.h"
#include "workbook/formats/headless_progress.h"
#include "workbook/formats/ods/ods_exporter.h"
#include "workbook/formats/text/text_exporter.h"
#include "workbook/formats/text/zip_csv_exporter.h"
#include "workbook/formats/xls/xls_exporter.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/measuring_hooks.h"

namespace workbook {

namespace {

bool started = false;

// The text handlers go in first and in a fixed order, since a file name's extension picks the
// first handler that claims it.
void RegisterTextExporters() {
  RegisterExporter(std::make_unique<TExporterCSVExcel>(), -1);
  RegisterExporter(std::make_unique<TExporterCSVSemicolon>(), -1);
  RegisterExporter(std::make_unique<TExporterCSVComma>(), -1);
  RegisterExporter(std::make_unique<TExporterTSV>(), -1);
  RegisterExporter(std::make_unique<TExporterSSV>(), -1);
  // Last: it takes the registered "CSV for Excel" handler as its inner handler.
  RegisterExporter(std::make_unique<TExporterZIPCSV>(), -1);
}

}  // namespace

// The spreadsheet formats go in front of the text ones, so they win any shared extension.
void RegisterGuiExporters() {
  RegisterExporter(std::make_unique<TExporterXLSX>(), 0);
  RegisterExporter(std::make_unique<TExporterXLS>(), 1);
  RegisterExporter(std::make_unique<TExporterODS>(), 2);
  InstallHeadlessMeasuring();
}

void RegisterGuiForms() {
  if (!GetProgressDlgWrapperClass())
    SetProgressDlgWrapperClass(TWorkbookProgressDlgWrapperHeadless::Create);
}

void StartWorkbookLibrary() {
  if (started) return;
  started = true;
  CreateExporterRegistry();
  FindExporterForFileHook = FindExporterForFile;
  RegisterTextExporters();
  RegisterGuiExporters();
  RegisterGuiForms();
}

void StopWorkbookLibrary() {
  FreeExporterRegistry();
  started = false;
}

}  // namespace workbook
