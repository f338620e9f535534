#pragma once
// The registry of format handlers and the two hooks kept beside it. The process-wide registry is
// created and filled once at start-up (library_start.h) and only read afterwards; the order of
// registration decides which handler a shared extension ("csv") opens with.
#include <functional>
#include <memory>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "workbook/model/custom_exporter.h"
#include "workbook/model/progress_dlg_wrapper.h"

namespace workbook {

class TExporterRegistry {
 public:
  // index < 0 appends, otherwise inserts at index (at the end when index is past it).
  void Register(std::unique_ptr<TCustomExporter> exporter, int index);
  // Frees the handler at index (a binding replacing a default handler); nothing outside.
  void Remove(int index);
  int Count() const { return static_cast<int>(exporters_.size()); }
  // The handler at index, nullptr outside the registry.
  TCustomExporter* Get(int index) const;
  // See FindExporterForFile and FindExporterForExtension.
  bool FindForFile(std::u16string_view fileName, TCustomExporter*& exporter) const;
  bool FindForExtension(std::u16string_view extension, TCustomExporter*& exporter) const;

 private:
  std::vector<std::unique_ptr<TCustomExporter>> exporters_;
};

// The process-wide registry: created empty (a second call keeps it), freed with its handlers.
void CreateExporterRegistry();
void FreeExporterRegistry();
// nullptr while it does not exist.
TExporterRegistry* GetExporterRegistry();

// The registry owns the handler from then on; without a registry the handler is not kept.
void RegisterExporter(std::unique_ptr<TCustomExporter> exporter, int index);
void UnregisterExporter(int index);
int GetExporterCount();
TCustomExporter* GetExporter(int index);

// Picks the handler by the file name's extension; a dot inside a folder name is no extension,
// whichever separator the path uses. False when no handler claims it.
bool FindExporterForFile(std::u16string_view fileName, TCustomExporter*& exporter);
// Lower-cased, one leading "." removed; the first handler in registry order, and within it the
// first extension, that equals it wins. exporter is nullptr when the result is false.
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

// Lets the user pick the worksheet a delimited-text writer writes; false leaves it as it is.
using TSelectWorkSheetFunc = std::function<bool(TWorkbook& workbook)>;
void SetSelectWorkSheetFunc(TSelectWorkSheetFunc func);
const TSelectWorkSheetFunc& GetSelectWorkSheetFunc();

}  // namespace workbook
