#include "workbook/formats/exporter_registry.h"

#include <vector>

namespace workbook {

namespace {

std::vector<std::unique_ptr<TCustomExporter>>& Registry() {
  static std::vector<std::unique_ptr<TCustomExporter>> registry;
  return registry;
}

TProgressDlgWrapperFactory& ProgressFactory() {
  static TProgressDlgWrapperFactory factory;
  return factory;
}

}  // namespace

void RegisterExporter(std::unique_ptr<TCustomExporter> exporter, int index) {
  if (!exporter) return;
  auto& registry = Registry();
  if (index < 0 || static_cast<std::size_t>(index) >= registry.size())
    registry.push_back(std::move(exporter));
  else
    registry.insert(registry.begin() + index, std::move(exporter));
}

bool FindExporterForFile(const std::u16string& fileName, TCustomExporter*& exporter) {
  exporter = nullptr;
  std::size_t separator = fileName.find_last_of(u"\\/:");
  std::size_t dot = fileName.rfind(u'.');
  if (dot == std::u16string::npos || (separator != std::u16string::npos && dot < separator))
    return false;
  return FindExporterForExtension(fileName.substr(dot), exporter);
}

bool FindExporterForExtension(const std::u16string& extension, TCustomExporter*& exporter) {
  exporter = nullptr;
  std::u16string key;
  for (char16_t c : extension) key += (c >= u'A' && c <= u'Z') ? c + 32 : c;
  if (!key.empty() && key[0] == u'.') key.erase(0, 1);
  if (key.empty()) return false;
  for (auto& candidate : Registry()) {
    for (const std::u16string& known : candidate->Extensions) {
      if (known == key) {
        exporter = candidate.get();
        return true;
      }
    }
  }
  return false;
}

void SetProgressDlgWrapperClass(TProgressDlgWrapperFactory factory) {
  ProgressFactory() = std::move(factory);
}

const TProgressDlgWrapperFactory& GetProgressDlgWrapperClass() { return ProgressFactory(); }

namespace detail {
std::size_t RegisteredExporterCount() { return Registry().size(); }
TCustomExporter* RegisteredExporter(std::size_t index) { return Registry()[index].get(); }
}  // namespace detail

}  // namespace workbook
