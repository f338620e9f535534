#pragma once
// The progress reports of a load, to see that every phase's bar has a length and ends full.
#include <gtest/gtest.h>

#include <vector>

#include "workbook/model/workbook.h"

namespace workbook {

struct TProgressReport {
  int Stage;
  long long Position;
  long long Max;
};

// Records book's reports from now on.
inline void RecordProgress(TWorkbook& book, std::vector<TProgressReport>& reports) {
  book.ShowProgress = true;
  book.OnProgress = [&reports](TWorkbook&, int stage, long long position, long long max) {
    reports.push_back({stage, position, max});
  };
}

// The phase reported some progress, each report within a maximum above 0, the last one at it.
inline void ExpectPhaseEndsFull(const std::vector<TProgressReport>& reports, int stage) {
  const TProgressReport* last = nullptr;
  for (const TProgressReport& report : reports) {
    if (report.Stage != stage) continue;
    EXPECT_GT(report.Max, 0) << "stage " << stage << " at " << report.Position;
    EXPECT_GE(report.Position, 0) << "stage " << stage;
    EXPECT_LE(report.Position, report.Max) << "stage " << stage;
    last = &report;
  }
  ASSERT_NE(last, nullptr) << "stage " << stage << " never reported";
  EXPECT_EQ(last->Position, last->Max) << "stage " << stage;
}

}  // namespace workbook
