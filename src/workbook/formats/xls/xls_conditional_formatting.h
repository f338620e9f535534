#pragma once
// What the BIFF8 reader needs of a CONDFMT record before its CF records come.
#include <vector>

#include "workbook/core/cell_refs.h"

namespace workbook {

class TXLSRecordReader;

// The ranges a CONDFMT record's following CF records apply to, within the sheet's limits; the
// rules' relative references count from the first cell of the first range.
std::vector<TCellRangeRef> ReadXLSCondFmtRanges(TXLSRecordReader& reader);

}  // namespace workbook
