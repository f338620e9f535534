#pragma once
// The oracle of the application's fuzz targets: whatever the input led to, both XML reports in
// every format are either refused (a character XML cannot carry, a total that is no integer) or
// well-formed. A malformed report aborts, so the fuzzer keeps the input.
#include "app/statement/data.h"

namespace fuzz {

void CheckReports(const app::TData& data);

}  // namespace fuzz
