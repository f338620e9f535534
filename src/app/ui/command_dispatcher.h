#pragma once
// Runs a window command and shows an exception that leaves it, the way the event loop of the
// platform does: the message (with a full stop added when its last character sorts above "."),
// the application title as caption, a stop icon and an OK button. The program then goes on.
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
