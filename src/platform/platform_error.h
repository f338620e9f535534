#pragma once
#include <stdexcept>
#include <string>

namespace platform {

// A failing platform service (a schema that cannot be loaded, a process that cannot start).
class EPlatformError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace platform
