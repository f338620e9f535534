// The styles part inside an otherwise valid .xlsx package.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Load(fuzz::Handler(0), fuzz::XlsxPackage({.Styles = fuzz::Bytes(data, size)}));
  return 0;
}
