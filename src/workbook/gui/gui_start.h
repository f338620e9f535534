#pragma once
// Start-up of the library's Qt binding. The program calls StartWorkbookGui once, right after
// StartWorkbookLibrary: the library has filled the registry and put its headless defaults in place;
// this replaces them with the real ones.
namespace workbook {

// Puts the Qt-measuring XLSX and XLS handlers at positions 0 and 1 in place of the headless ones,
// installs the Qt text measuring into the measuring hooks, the progress window's wrapper and the
// worksheet-selection dialog. Starts the library first when that has not happened. A second call
// does nothing.
void StartWorkbookGui();
// The program's end: frees the character-width cache and the progress-window settings.
void StopWorkbookGui();

}  // namespace workbook
