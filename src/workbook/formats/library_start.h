#pragma once
// Start-up of the spreadsheet library. The program calls StartWorkbookLibrary once, first thing,
// before any workbook is created; registration is explicit so its order never depends on the
// order in which the linker initialises modules.
namespace workbook {

// Creates the handler registry and appends the delimited-text handlers, then puts the XLSX, XLS
// and ODS handlers at positions 0, 1 and 2, and installs the headless text measuring and progress
// wrapper where no windowing binding has installed its own. A second call does nothing.
void StartWorkbookLibrary();
// Frees the registry and its handlers (the program's end; tests that start afresh).
void StopWorkbookLibrary();

// The front three handlers with the measuring hooks (the windowing binding's start-up).
void RegisterGuiExporters();
// The progress wrapper and the worksheet-selection function.
void RegisterGuiForms();

}  // namespace workbook
