#include "workbook/formats/xls/xls_names_writer.h"

#include <algorithm>
#include <string>

#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/model/named_cells.h"
#include "workbook/model/page_setup.h"
#include "workbook/model/workbook.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

constexpr std::uint8_t kPtgArea3d = 0x3B;
// A name whose sheet is gone still takes its place in the list: formulas count names by it.
constexpr std::uint8_t kPtgAreaErr3d = 0x3D;
constexpr std::uint8_t kPtgUnion = 0x10;
constexpr std::uint16_t kAreaSize = 11;

// first and last index of a range side; an open side covers the whole sheet.
std::pair<int, int> Side(int first, int count, int last) {
  if (first < 0 || count < 1) return {0, last};
  return {std::min(first, last),
          static_cast<int>(std::min<long long>(static_cast<long long>(first) + count - 1, last))};
}

void WriteArea(TStream& stream, std::uint8_t ptg, int sheet, const TExportRange& range) {
  const auto [firstRow, lastRow] = Side(range.Row, range.RowCount, xls_record::kMaxRow);
  const auto [firstCol, lastCol] = Side(range.Col, range.ColCount, xls_record::kMaxColumn);
  XLSWriteByte(stream, ptg);
  for (int v : {sheet, firstRow, lastRow, firstCol, lastCol})
    XLSWriteWord(stream, static_cast<std::uint16_t>(v));
}

// The fixed part of a NAME record up to the name's characters.
void WriteNameStart(TStream& stream, std::uint16_t size, std::uint16_t options,
                    std::size_t nameLength, std::uint16_t formulaSize, int sheetTab) {
  XLSWriteRecordHeader(stream, xls_record::kName, size);
  XLSWriteWord(stream, options);
  XLSWriteByte(stream, 0);  // keyboard shortcut
  XLSWriteByte(stream, static_cast<std::uint8_t>(nameLength));
  XLSWriteWord(stream, formulaSize);
  XLSWriteWord(stream, 0);
  XLSWriteWord(stream, static_cast<std::uint16_t>(sheetTab));
  XLSWriteDWord(stream, 0);  // menu, description, help and status texts: none
}

void WriteBuiltIn(TStream& stream, int sheet, std::uint8_t name, std::uint16_t formulaSize) {
  WriteNameStart(stream, static_cast<std::uint16_t>(16 + formulaSize), xls_record::kNameBuiltIn, 1,
                 formulaSize, sheet + 1);
  XLSWriteByte(stream, 0);
  XLSWriteByte(stream, name);
}

}  // namespace

void XLSWriteNames(TStream& stream, TWorkbook& workbook) {
  workbook.NamedCells.ForEach([&](const std::u16string& fullName, const TExportRange& range) {
    const std::u16string name = fullName.substr(0, 255);
    const std::int64_t sheet = range.WorkSheet ? range.WorkSheet->GetIndex() : -1;
    WriteNameStart(stream, static_cast<std::uint16_t>(26 + 2 * name.size()), 0, name.size(),
                   kAreaSize, 0);
    XLSWriteByte(stream, 0x01);
    for (char16_t c : name) XLSWriteWord(stream, c);
    WriteArea(stream, sheet >= 0 ? kPtgArea3d : kPtgAreaErr3d,
              static_cast<int>(std::max<std::int64_t>(sheet, 0)), range);
  });
  const int sheets = static_cast<int>(workbook.WorkSheets.Count());
  for (int i = 0; i < sheets; ++i) {
    const TExportPageSettings& page = workbook.WorkSheets.GetItem(i)->PageSettings;
    if (!page.HasPrintArea()) continue;
    WriteBuiltIn(stream, i, xls_record::kBuiltInPrintArea, kAreaSize);
    WriteArea(stream, kPtgArea3d, i, page.PrintArea);
  }
  for (int i = 0; i < sheets; ++i) {
    const TExportPageSettings& page = workbook.WorkSheets.GetItem(i)->PageSettings;
    const bool cols = page.TitleCols.HasCols();
    const bool rows = page.TitleRows.HasRows();
    if (!cols && !rows) continue;
    const bool both = cols && rows;
    WriteBuiltIn(stream, i, xls_record::kBuiltInPrintTitles,
                 static_cast<std::uint16_t>(both ? 26 : kAreaSize));
    if (both) {
      XLSWriteByte(stream, xls_record::kPtgMemFunc);
      XLSWriteWord(stream, 2 * kAreaSize + 1);
    }
    if (cols) {
      TExportRange area;
      area.SetCols(page.TitleCols.Col, page.TitleCols.ColCount);
      WriteArea(stream, kPtgArea3d, i, area);
    }
    if (rows) {
      TExportRange area;
      area.SetRows(page.TitleRows.Row, page.TitleRows.RowCount);
      WriteArea(stream, kPtgArea3d, i, area);
    }
    if (both) XLSWriteByte(stream, kPtgUnion);
  }
}

}  // namespace workbook
