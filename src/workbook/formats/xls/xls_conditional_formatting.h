#pragma once
// What the BIFF8 reader needs of a CONDFMT record before its CF records come.
#include <utility>
#include <vector>

namespace workbook {

class TXLSRecordReader;

// The cells a CONDFMT record's following CF records apply to: the first cell of each range,
// as (column, row) pairs within the sheet's limits.
std::vector<std::pair<int, int>> ReadXLSCondFmtTargets(TXLSRecordReader& reader);

}  // namespace workbook
