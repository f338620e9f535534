#pragma once
// Failures of writing the application's output files; the command dispatcher shows the message.
#include "app/statement/errors.h"

namespace app {

class EFCreateError : public EAppException {
 public:
  using EAppException::EAppException;
};

class EWriteError : public EAppException {
 public:
  using EAppException::EAppException;
};

}  // namespace app
