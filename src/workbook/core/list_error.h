#pragma once
// The failure of every list of the library: a position outside the list, a duplicate refused.
#include <cstdint>
#include <stdexcept>

namespace workbook {

class EListError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Raises EListError "List index out of bounds (<index>)".
[[noreturn]] void RaiseListIndexError(std::int64_t index);

}  // namespace workbook
