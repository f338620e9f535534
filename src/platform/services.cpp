#include "platform/services.h"

namespace platform {

TServices& Services() {
  static TServices services;
  return services;
}

}  // namespace platform
