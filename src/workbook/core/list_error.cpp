#include "workbook/core/list_error.h"

#include <string>

namespace workbook {

void RaiseListIndexError(std::int64_t index) {
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace workbook
