#pragma once
#include "platform/services.h"

namespace platform {

// Starts the program directly, without a shell, its output and errors read from one pipe.
class TConsoleRunner : public IConsoleRunner {
 public:
  std::string Run(const std::vector<std::string>& arguments, const std::string& folder) override;
};

}  // namespace platform
