#pragma once
#include "platform/services.h"

namespace platform {

// This system always has the in-process schema validation, so it answers as a current Windows.
class TOsVersion : public IOsVersion {
 public:
  bool IsWindows8OrGreater() override { return true; }
};

}  // namespace platform
