#pragma once
// The cells of an .xls file as the XLS handler loads them into a workbook (their value texts), in
// the form peers/cells_xlrd.py prints, so the two can be compared cell by cell.
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "workbook/core/stream.h"

namespace xls_test {

struct CellDump {
  // Empty when the file was read; otherwise "class: message" of the failure.
  std::string failure;
  // The BIFF version the peer saw (80 for BIFF8); 0 from our reader.
  int biffVersion = 0;
  std::vector<std::string> sheets;
  // (sheet, row, column) -> value text (UTF-8), cells with non-empty text only.
  std::map<std::tuple<int, int, int>, std::string> cells;
};

// Our reader's view of a file, or of a compound file in a stream.
CellDump DumpWithReader(const std::string& path);
CellDump DumpWithReader(workbook::TStream& source);
// The peer's view of each file (keyed by path); one run of python3-xlrd for all of them.
std::map<std::string, CellDump> DumpWithXlrd(const std::vector<std::string>& paths);

}  // namespace xls_test
