#include "workbook/formats/exporter_registry.h"

#include "workbook/core/invariant_texts.h"

namespace workbook {

namespace {

std::unique_ptr<TExporterRegistry>& Registry() {
  static std::unique_ptr<TExporterRegistry> registry;
  return registry;
}

TSelectWorkSheetFunc& SelectWorkSheet() {
  static TSelectWorkSheetFunc func;
  return func;
}

}  // namespace

void TExporterRegistry::Register(std::unique_ptr<TCustomExporter> exporter, int index) {
  if (!exporter) return;
  if (index < 0 || index >= Count())
    exporters_.push_back(std::move(exporter));
  else
    exporters_.insert(exporters_.begin() + index, std::move(exporter));
}

void TExporterRegistry::Remove(int index) {
  if (index >= 0 && index < Count()) exporters_.erase(exporters_.begin() + index);
}

TCustomExporter* TExporterRegistry::Get(int index) const {
  return index >= 0 && index < Count() ? exporters_[static_cast<std::size_t>(index)].get()
                                       : nullptr;
}

bool TExporterRegistry::FindForFile(std::u16string_view fileName,
                                    TCustomExporter*& exporter) const {
  exporter = nullptr;
  const std::size_t dot = fileName.find_last_of(u".\\/:");
  if (dot == std::u16string_view::npos || fileName[dot] != u'.') return false;
  return FindForExtension(fileName.substr(dot), exporter);
}

bool TExporterRegistry::FindForExtension(std::u16string_view extension,
                                         TCustomExporter*& exporter) const {
  exporter = nullptr;
  std::u16string key;
  for (char16_t c : extension) key += LowerAscii(c);
  if (!key.empty() && key.front() == u'.') key.erase(0, 1);
  if (key.empty()) return false;
  for (const auto& candidate : exporters_) {
    for (const std::u16string& known : candidate->Extensions) {
      if (known == key) {
        exporter = candidate.get();
        return true;
      }
    }
  }
  return false;
}

void CreateExporterRegistry() {
  if (!Registry()) Registry() = std::make_unique<TExporterRegistry>();
}

void FreeExporterRegistry() { Registry().reset(); }

TExporterRegistry* GetExporterRegistry() { return Registry().get(); }

void RegisterExporter(std::unique_ptr<TCustomExporter> exporter, int index) {
  if (Registry()) Registry()->Register(std::move(exporter), index);
}

void UnregisterExporter(int index) {
  if (Registry()) Registry()->Remove(index);
}

int GetExporterCount() { return Registry() ? Registry()->Count() : 0; }

TCustomExporter* GetExporter(int index) { return Registry() ? Registry()->Get(index) : nullptr; }

bool FindExporterForFile(std::u16string_view fileName, TCustomExporter*& exporter) {
  exporter = nullptr;
  return Registry() && Registry()->FindForFile(fileName, exporter);
}

bool FindExporterForExtension(std::u16string_view extension, TCustomExporter*& exporter) {
  exporter = nullptr;
  return Registry() && Registry()->FindForExtension(extension, exporter);
}

void SetSelectWorkSheetFunc(TSelectWorkSheetFunc func) { SelectWorkSheet() = std::move(func); }

const TSelectWorkSheetFunc& GetSelectWorkSheetFunc() { return SelectWorkSheet(); }

}  // namespace workbook
