#pragma once
// What one load may make. A file states counts and repeats for free, so a few kilobytes could ask
// for more cells and text than the machine holds: every cell and every text a load makes is
// charged here before it is made, and a load that would go over the limits stops with the
// library's file exception instead of running out of memory.
#include <cstdint>

namespace workbook {

// Generous for a desktop; the program may set its own before a load.
struct TWorkbookLoadLimits {
  std::int64_t MaxCells = 100'000'000;
  std::int64_t MaxTextBytes = std::int64_t{4} << 30;
};

class TWorkbookLoadBudget {
 public:
  // The budget of the load running on this thread until the object goes.
  explicit TWorkbookLoadBudget(const TWorkbookLoadLimits& limits);
  ~TWorkbookLoadBudget();
  TWorkbookLoadBudget(const TWorkbookLoadBudget&) = delete;
  TWorkbookLoadBudget& operator=(const TWorkbookLoadBudget&) = delete;

  // Charge the running load, if any, for cells or text bytes about to be made; over a limit they
  // raise EWorkbookFileException and nothing is made.
  static void ChargeCells(std::int64_t count);
  static void ChargeTextBytes(std::int64_t bytes);
  // Raises as ChargeTextBytes would for bytes more, charging nothing (a text still being read).
  static void CheckTextBytes(std::int64_t bytes);

 private:
  static TWorkbookLoadBudget*& Current();

  TWorkbookLoadLimits limits_;
  std::int64_t cells_ = 0;
  std::int64_t textBytes_ = 0;
  TWorkbookLoadBudget* outer_;
};

}  // namespace workbook
