#pragma once
// Failures of the application's own file reading and writing; the command dispatcher shows
// the message.
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

// An input file that cannot be opened or read ("File not found", "File access denied", ...).
class EInOutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace app
