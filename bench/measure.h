#pragma once
// What every benchmark needs: the library started as the program starts it, and what it reports:
// elapsed time and the process's peak memory.
#include <sys/resource.h>

#include <chrono>

#include "workbook/formats/library_start.h"
#include "workbook/model/workbook.h"

namespace bench {

// The date and time formats the program sets, then the library's handlers.
inline void StartLibrary() {
  workbook::WorkbookDateFormat = u"%sysdate%";
  workbook::WorkbookTimeFormat = u"%systime%";
  workbook::StartWorkbookLibrary();
}

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
