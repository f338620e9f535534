// A delimited-text file; its first byte picks one of the five delimited-text handlers.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  fuzz::Load(fuzz::Handler(3 + data[0] % 5), fuzz::Bytes(data + 1, size - 1));
  return 0;
}
