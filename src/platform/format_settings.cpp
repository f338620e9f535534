#include "platform/format_settings.h"

namespace platform {

TFormatSettings& FormatSettings() {
  static TFormatSettings settings;
  return settings;
}

}  // namespace platform
