// The BIFF8 "Workbook" stream inside a sound compound file.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Load(fuzz::Handler(1), fuzz::CompoundFile(fuzz::Bytes(data, size)));
  return 0;
}
