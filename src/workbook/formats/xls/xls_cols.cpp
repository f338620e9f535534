// The BIFF8 COLINFO record (0x007D) read into the column list.
#include <algorithm>

#include "workbook/core/units.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_record_reader.h"
#include "workbook/model/cols.h"

namespace workbook {

namespace {

// BIFF8 sheets have 256 columns; a record reaching column 256 describes the sheet's default.
constexpr int kXLSColCount = xls_record::kColumnCount;

}  // namespace

void TExportCols::ReadXLS(TXLSRecordReader& reader, double charWidth, const TXFApplier& applyXF) {
  const int first = reader.ReadWord();
  const int last = reader.ReadWord();
  const std::uint16_t width = reader.ReadWord();
  const int xfIndex = reader.ReadWord();
  const std::uint16_t options = reader.ReadWord();
  const bool hidden = (options & 0x0001) != 0;
  const double pixels = hidden && width == 0 ? charWidth : XLSColWidthToPixels(width, charWidth);
  if (last >= kXLSColCount) {
    DefaultWidth = pixels;
    ApplyDefaultStyle(xfIndex, applyXF);
    return;
  }
  // A reversed range is damaged: it describes no column.
  for (int index = first; index <= last; ++index) {
    TExportCol* col = GetCol(index);
    col->Hidden = hidden;
    col->Width = pixels;
    col->SetOutlineLevel((options >> 8) & 0x07);
    if (applyXF) applyXF(xfIndex, col->GetStyle());
  }
}

}  // namespace workbook
