#pragma once
// The process-wide registry of format handlers and the two hooks kept beside it. It is filled once
// at start-up (library_start.h) and only read afterwards; the order of registration decides which
// handler a shared extension ("csv") opens with.
#include <memory>
#include <string_view>
#include <typeinfo>

#include "workbook/formats/exporter.h"

namespace workbook {

class TWorkbookProgressDlgWrapper;

// Creates the empty registry (a second call keeps the existing one).
void CreateExporterRegistry();
// Frees the registry and every handler in it.
void FreeExporterRegistry();

// Index < 0 appends, otherwise inserts at Index (at the end when Index is past it). The registry
// owns the handler from then on; without a registry the handler is freed and not kept.
void RegisterExporter(std::unique_ptr<TCustomExporter> exporter, int index);
int GetExporterCount();
// The handler at Index, nullptr outside the registry.
TCustomExporter* GetExporter(int index);

// The extension of FileName is the text after the last "." that stands after the last "\", "/" or
// ":"; none (false) when there is no such dot.
bool FindExporterForFile(std::u16string_view fileName, TCustomExporter*& exporter);
// Lower-cased, one leading "." removed; the first handler in registry order with an equal
// extension wins. Exporter is nullptr when the result is false.
bool FindExporterForExtension(std::u16string_view extension, TCustomExporter*& exporter);

// The last registered handler whose class is exactly T.
template <class T>
bool FindRegisteredExporter(T*& exporter) {
  exporter = nullptr;
  for (int i = GetExporterCount() - 1; i >= 0; --i) {
    TCustomExporter* candidate = GetExporter(i);
    if (typeid(*candidate) == typeid(T)) {
      exporter = static_cast<T*>(candidate);
      return true;
    }
  }
  return false;
}

// The progress wrapper the workbook creates around each load from a stream.
using TProgressDlgWrapperFactory = std::unique_ptr<TWorkbookProgressDlgWrapper> (*)();
void SetProgressDlgWrapperClass(TProgressDlgWrapperFactory factory);
TProgressDlgWrapperFactory GetProgressDlgWrapperClass();

// Lets the user pick the worksheet a delimited-text writer writes; false leaves it as it is.
using TSelectWorkSheetFunc = bool (*)(TWorkbook& workbook);
void SetSelectWorkSheetFunc(TSelectWorkSheetFunc func);
TSelectWorkSheetFunc GetSelectWorkSheetFunc();

}  // namespace workbook
