#pragma once
// Failures of writing the application's output files; the command dispatcher shows the message.
#include <stdexcept>
#include <string>

namespace app {

class EFCreateError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class EWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace app
