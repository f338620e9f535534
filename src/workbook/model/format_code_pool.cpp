#include "workbook/model/format_code_pool.h"

#include <unordered_set>

namespace workbook {

const std::u16string* InternFormatCode(const std::u16string& code) {
  if (code.empty()) return nullptr;
  // Never shrinks: the codes of a process are few, and a cell may outlive any workbook.
  static std::unordered_set<std::u16string> pool;
  return &*pool.insert(code).first;
}

}  // namespace workbook
