#pragma once
// What one load may make. A file states counts and repeats for free, so a few kilobytes could ask
// for more cells and text than the machine holds: every cell and every text a load makes is
// charged here before it is made, and a load that would go over the limits stops with the
// library's file exception instead of running out of memory.
#include <cstdint>

namespace workbook {

// What a desktop holds, with room to spare for real workbooks; a program may set its own before a
// load. A package part is inflated only when it stays within MaxPartBytes, and when the parts a
// load inflates, together, stay within a few tens of megabytes or MaxInflateRatio times the
// file's size: what is inflated is scanned, so this bounds the work of a small file. Real
// packages inflate some 5 to 40 times their size. A part read whole into a document tree (styles,
// relationships, drawings, comments), which takes several times its size, stays within
// MaxTreePartBytes.
struct TWorkbookLoadLimits {
  std::int64_t MaxCells = 16'000'000;
  std::int64_t MaxTextBytes = std::int64_t{1} << 30;
  std::int64_t MaxPartBytes = std::int64_t{1} << 30;
  std::int64_t MaxInflateRatio = 50;
  std::int64_t MaxTreePartBytes = std::int64_t{64} << 20;
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
  // Charge the running load for what else it keeps (rows, styles) by its size in memory: each
  // kCellBytes count as one cell, what a cell with its place in its row takes, so that the cell
  // limit bounds the memory of a load whatever its file holds.
  static void ChargeBytes(std::int64_t bytes);
  static constexpr std::int64_t kCellBytes = 48;
  // Raise as ChargeCells and ChargeTextBytes would for that many more, charging nothing (a text
  // still being read, copies about to be made one by one).
  static void CheckCells(std::int64_t count);
  static void CheckTextBytes(std::int64_t bytes);
  // The limits of the load running on this thread; the defaults when none runs.
  static TWorkbookLoadLimits Limits();

 private:
  static TWorkbookLoadBudget*& Current();

  TWorkbookLoadLimits limits_;
  std::int64_t cells_ = 0;
  std::int64_t textBytes_ = 0;
  std::int64_t bytes_ = 0;  // charged through ChargeBytes
  TWorkbookLoadBudget* outer_;
};

}  // namespace workbook
