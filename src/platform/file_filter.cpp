#include "platform/file_filter.h"

namespace platform {
namespace {

std::vector<std::u16string> Split(const std::u16string& text, char16_t separator) {
  std::vector<std::u16string> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::u16string::npos ? at : at - start));
    if (at == std::u16string::npos) break;
    start = at + 1;
  }
  return parts;
}

}  // namespace

std::vector<TFileFilter> ParseFileFilter(const std::u16string& filter) {
  std::vector<TFileFilter> result;
  if (filter.empty()) return result;
  auto parts = Split(filter, u'|');
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    TFileFilter f{parts[i], {}};
    for (auto& p : Split(parts[i + 1], u';'))
      if (!p.empty()) f.Patterns.push_back(p);
    result.push_back(std::move(f));
  }
  return result;
}

}  // namespace platform
