#pragma once
#include "platform/services.h"

namespace platform {

// Runs command lines through /bin/sh. The platform's console prefixes ("cmd.exe /C ",
// "cmd.exe /S /K ") are taken off first: on this system the shell itself takes their place.
class TShellConsoleRunner : public IConsoleRunner {
 public:
  std::string Run(const std::string& commandLine, const std::string& folder) override;
};

// The command line without the leading console prefixes.
std::string StripConsolePrefixes(const std::string& commandLine);

}  // namespace platform
