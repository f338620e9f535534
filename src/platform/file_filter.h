#pragma once
// File-dialog filters in the Windows form: pairs of caption and patterns joined by "|",
// e.g. "Excel súbory (*.xls, *.xlsx)|*.xls*"; several patterns of one pair are joined by ";".
#include <string>
#include <vector>

namespace platform {

struct TFileFilter {
  std::u16string Caption;
  std::vector<std::u16string> Patterns;
};

std::vector<TFileFilter> ParseFileFilter(const std::u16string& filter);

}  // namespace platform
