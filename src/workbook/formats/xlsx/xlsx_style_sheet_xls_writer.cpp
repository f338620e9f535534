// The style sheet's BIFF8 form on writing: FONT, FORMAT and XF records.
#include <algorithm>
#include <vector>

#include "workbook/core/enum_names.h"
#include "workbook/formats/xls/xls_cell_borders.h"
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/formats/xlsx/xlsx_palette.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/model/cell_style.h"
#include "workbook/model/sys_date_formats.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

constexpr std::uint16_t kFormatRecord = 0x41E;
constexpr std::uint16_t kXFRecord = 0xE0;
constexpr int kStyleXFCount = 15;
constexpr std::uint32_t kFillFlag = 1u << 26;

void WriteRecord(TStream& stream, std::uint16_t id, const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> header;
  XLSPutWord(header, id);
  XLSPutWord(header, static_cast<std::uint32_t>(data.size()));
  stream.WriteBuffer(header.data(), header.size());
  stream.WriteBuffer(data.data(), data.size());
}

std::vector<std::uint8_t> EmptyXF(std::uint16_t type) {
  std::vector<std::uint8_t> data;
  XLSPutWord(data, 0);
  XLSPutWord(data, 0);
  XLSPutWord(data, type);
  data.insert(data.end(), {0, 0, 0, 0xFC});
  data.resize(20, 0);
  return data;
}

}  // namespace

void TExporterXLSX_StyleSheet::WriteXLS(TStream& stream, TExporterXLSX_Palette& palette) {
  workbook_.FontList.WriteXLS(stream, palette);

  for (int i = 0; i < numberFormats_.Count(); ++i) {
    const TExporterXLSX_NumberFormat& format = numberFormats_.GetItem(i);
    if (!IsWrittenFormatId(format.Id())) continue;
    std::u16string code = ExpandSysDateFormats(format.Code());
    // A BIFF8 string holds at most 65,535 characters and a record 8,224 bytes.
    if (code.size() > 4000) code.resize(4000);
    std::vector<std::uint8_t> data;
    XLSPutWord(data, static_cast<std::uint32_t>(format.Id()));
    XLSPutWord(data, static_cast<std::uint32_t>(code.size()));
    data.push_back(1);
    for (char16_t c : code) XLSPutWord(data, c);
    WriteRecord(stream, kFormatRecord, data);
  }

  for (int i = 0; i < kStyleXFCount; ++i) WriteRecord(stream, kXFRecord, EmptyXF(0xFFF4));
  WriteRecord(stream, kXFRecord, EmptyXF(0));

  for (const TExporterXLSX_Style& xf : styles_) {
    std::vector<std::uint8_t> data;
    // BIFF has no font 4: font 0 is written as fonts 0-3.
    XLSPutWord(data, static_cast<std::uint32_t>(xf.FontIndex == 0 ? 0 : xf.FontIndex + 4));
    XLSPutWord(data, static_cast<std::uint32_t>(xf.NumFmtId < 0 ? 0 : xf.NumFmtId));
    XLSPutWord(data, xf.Protection & 0x03u);
    data.push_back(static_cast<std::uint8_t>(HAlignToXLS(xf.HAlignment) | (xf.Wrap ? 0x08 : 0) |
                                             VAlignToXLS(xf.VAlignment)));
    data.push_back(xf.Rotation);
    const bool sideAligned =
        xf.HAlignment == TExportCellStyle::haLeft || xf.HAlignment == TExportCellStyle::haRight;
    data.push_back(sideAligned ? static_cast<std::uint8_t>(std::min<int>(xf.Indent, 15)) : 0);
    data.push_back(0xFC);
    TXLSBorderFields borders;
    if (const TExportCellBorders* set = workbook_.BordersList.GetItem(xf.BorderIndex)) {
      borders = XLSWriteBorders(*set, palette);
      const TColor fill = fills_.GetColor(xf.FillIndex);
      if (fill != clNone) borders.Colors |= kFillFlag;
    }
    XLSPutDWord(data, borders.Lines);
    XLSPutDWord(data, borders.Colors);
    std::uint32_t pattern = 0;
    const TColor fill = fills_.GetColor(xf.FillIndex);
    if (fill != clNone)
      pattern = palette.GetColorIndex(fill == clGray125Fill ? RGBToColor(0x80, 0x80, 0x80) : fill) &
                0x7Fu;
    XLSPutWord(data, pattern);
    WriteRecord(stream, kXFRecord, data);
  }
}

}  // namespace workbook
