#pragma once
// The process-wide list of format handlers, in registration order, and the hooks the user
// interface binding installs beside it. The first handler whose extension list holds a file's
// extension reads and writes that file.
#include <functional>
#include <memory>
#include <string>
#include <typeinfo>

#include "workbook/formats/custom_exporter.h"
#include "workbook/model/progress_dlg_wrapper.h"

namespace workbook {

// Index < 0 appends, otherwise inserts at Index (clamped); the registry owns the handler.
void RegisterExporter(std::unique_ptr<TCustomExporter> exporter, int index);

// The extension of FileName: the text after the last "." that follows the last path separator
// ("\", "/" or ":"); False with Exporter nil when none or when no handler claims it.
bool FindExporterForFile(const std::u16string& fileName, TCustomExporter*& exporter);
bool FindExporterForExtension(const std::u16string& extension, TCustomExporter*& exporter);

// The last registered handler of exactly the class T.
template <class T>
bool FindRegisteredExporter(T*& exporter);

using TProgressDlgWrapperFactory = std::function<std::unique_ptr<TWorkbookProgressDlgWrapper>()>;
void SetProgressDlgWrapperClass(TProgressDlgWrapperFactory factory);
const TProgressDlgWrapperFactory& GetProgressDlgWrapperClass();

namespace detail {
std::size_t RegisteredExporterCount();
TCustomExporter* RegisteredExporter(std::size_t index);
}  // namespace detail

template <class T>
bool FindRegisteredExporter(T*& exporter) {
  exporter = nullptr;
  for (std::size_t i = detail::RegisteredExporterCount(); i-- > 0;) {
    TCustomExporter* candidate = detail::RegisteredExporter(i);
    if (typeid(*candidate) == typeid(T)) {
      exporter = static_cast<T*>(candidate);
      return true;
    }
  }
  return false;
}

}  // namespace workbook
