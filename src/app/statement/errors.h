#pragma once
// The application's failures. Each keeps its message as Windows-1250 text (the application's own
// form, with any user text in it) and as UTF-8 for what(), like the library's exceptions.
#include <stdexcept>
#include <string>

namespace app {

class EAppException : public std::runtime_error {
 public:
  explicit EAppException(const std::string& message);
  const std::string& Message() const { return message_; }

 private:
  std::string message_;
};

// A file that cannot be opened, read or written ("File not found").
class EInOutError : public EAppException {
 public:
  using EAppException::EAppException;
};

// A text that does not convert to the number it should hold.
class EConvertError : public EAppException {
 public:
  using EAppException::EAppException;
};

// An argument outside the range a routine accepts.
class ERangeError : public EAppException {
 public:
  using EAppException::EAppException;
};

}  // namespace app
