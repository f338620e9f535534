#include "app/statement/errors.h"

#include "platform/text_codec.h"

namespace app {

EAppException::EAppException(const std::string& message)
    : std::runtime_error(platform::Cp1250ToUtf8(message)), message_(message) {}

}  // namespace app
