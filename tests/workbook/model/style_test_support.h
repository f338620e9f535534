#pragma once
// A stand-in for the workbook in style tests: only the registries a style needs.
#include <string>

#include "workbook/model/workbook_registries.h"

namespace workbook::test {

struct TestWorkbook : TWorkbookRegistries {};

inline std::string Narrow(const std::u16string& text) {
  return std::string(text.begin(), text.end());
}

}  // namespace workbook::test
