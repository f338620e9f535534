#include "workbook/formats/exporter_registry.h"

#include <typeinfo>
#include <vector>

namespace workbook {

namespace {

struct TRegistry {
  std::vector<std::unique_ptr<TCustomExporter>> exporters;
};

std::unique_ptr<TRegistry>& Registry() {
  static std::unique_ptr<TRegistry> registry;
  return registry;
}

TProgressDlgWrapperFactory progressFactory = nullptr;
TSelectWorkSheetFunc selectWorkSheetFunc = nullptr;

char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }

std::u16string LowerText(std::u16string_view text) {
  std::u16string result(text);
  for (char16_t& c : result) c = LowerAscii(c);
  return result;
}

}  // namespace

void CreateExporterRegistry() {
  if (!Registry()) Registry() = std::make_unique<TRegistry>();
}

void FreeExporterRegistry() { Registry().reset(); }

void RegisterExporter(std::unique_ptr<TCustomExporter> exporter, int index) {
  if (!Registry() || !exporter) return;
  auto& list = Registry()->exporters;
  if (index < 0 || static_cast<std::size_t>(index) >= list.size())
    list.push_back(std::move(exporter));
  else
    list.insert(list.begin() + index, std::move(exporter));
}

int GetExporterCount() { return Registry() ? static_cast<int>(Registry()->exporters.size()) : 0; }

TCustomExporter* GetExporter(int index) {
  if (index < 0 || index >= GetExporterCount()) return nullptr;
  return Registry()->exporters[static_cast<std::size_t>(index)].get();
}

bool FindExporterForFile(std::u16string_view fileName, TCustomExporter*& exporter) {
  exporter = nullptr;
  const std::size_t dot = fileName.find_last_of(u".\\/:");
  if (dot == std::u16string_view::npos || fileName[dot] != u'.') return false;
  return FindExporterForExtension(fileName.substr(dot), exporter);
}

bool FindExporterForExtension(std::u16string_view extension, TCustomExporter*& exporter) {
  exporter = nullptr;
  std::u16string ext = LowerText(extension);
  if (!ext.empty() && ext.front() == u'.') ext.erase(0, 1);
  if (ext.empty() || !Registry()) return false;
  for (const auto& candidate : Registry()->exporters) {
    for (const std::u16string& known : candidate->GetExtensions()) {
      if (known == ext) {
        exporter = candidate.get();
        return true;
      }
    }
  }
  return false;
}

void SetProgressDlgWrapperClass(TProgressDlgWrapperFactory factory) { progressFactory = factory; }
TProgressDlgWrapperFactory GetProgressDlgWrapperClass() { return progressFactory; }

void SetSelectWorkSheetFunc(TSelectWorkSheetFunc func) { selectWorkSheetFunc = func; }
TSelectWorkSheetFunc GetSelectWorkSheetFunc() { return selectWorkSheetFunc; }

}  // namespace workbook
