#pragma once
// What every benchmark reports: elapsed time and the process's peak memory.
#include <sys/resource.h>

#include <chrono>

namespace bench {

// Peak resident memory of the process so far, in kilobytes.
inline long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

inline double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace bench
