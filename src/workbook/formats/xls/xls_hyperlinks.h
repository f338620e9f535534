#pragma once
// HLINK records: a URL attached to a cell range, written as a standard link with a URL moniker
// and read back in that form.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "workbook/core/stream.h"
#include "workbook/formats/xls/xls_record_reader.h"

namespace workbook {

struct TXLSHyperlink {
  int Row = 0;
  int Col = 0;
  std::u16string Target;
};

// One HLINK record (header included) over rows firstRow..LastRow and columns firstCol..LastCol,
// with text as its display name.
void XLSWriteHyperlink(TStream& stream, int firstRow, int lastRow, int firstCol, int lastCol,
                       std::u16string_view target, std::u16string_view text);
// HLINK record data: the first cell and the URL of an absolute URL link; nothing for links of
// other kinds (files, places in the workbook), for a record too short for its fields and for a
// first column past the last column of a sheet.
std::optional<TXLSHyperlink> XLSReadHyperlink(TXLSRecordReader& reader);

}  // namespace workbook
