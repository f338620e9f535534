#pragma once
// Every window command runs through here, so a failure inside one ends that command only: the
// user sees its message in a stop box titled with the program's name, and keeps working.
#include <exception>
#include <functional>
#include <string>

namespace app {

extern const std::u16string kApplicationTitle;

// Thrown to leave a command silently.
class EAbort : public std::exception {
 public:
  const char* what() const noexcept override { return "Operation aborted"; }
};

// The text the message box shows for an exception.
std::u16string ExceptionMessage(const std::exception& e);
void ShowException(const std::exception& e);
void RunCommand(const std::function<void()>& command);

}  // namespace app
