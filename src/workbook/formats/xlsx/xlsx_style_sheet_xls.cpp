// The style sheet's BIFF8 form on reading: FORMAT and XF records.
#include "workbook/core/enum_names.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/xls/xls_cell_borders.h"
#include "workbook/formats/xlsx/xlsx_palette.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

constexpr std::size_t kXFSize = 20;
// Bit 26 of the XF's second border dword: the cell has a solid fill.
constexpr std::uint32_t kFillFlag = 1u << 26;

std::uint16_t WordAt(std::span<const std::uint8_t> data, std::size_t offset) {
  return static_cast<std::uint16_t>(data[offset] | data[offset + 1] << 8);
}

std::uint32_t DWordAt(std::span<const std::uint8_t> data, std::size_t offset) {
  return WordAt(data, offset) | static_cast<std::uint32_t>(WordAt(data, offset + 2)) << 16;
}

}  // namespace

void TExporterXLSX_StyleSheet::BeginReadXLS() {
  numberFormats_.ResetBuiltIns();
  styles_.clear();
  styleFormats_.clear();
  looks_.clear();
  fills_.Clear();
}

void TExporterXLSX_StyleSheet::ReadXLSFormat(std::int32_t id, std::u16string code) {
  ChargeNumberFormat(code);
  numberFormats_.Add(id, std::move(code));
}

void TExporterXLSX_StyleSheet::ReadXLSXF(std::span<const std::uint8_t> data,
                                         const TExporterXLSX_Palette& palette) {
  if (data.size() < kXFSize) throw EWorkbookFileException(WorkbookLng_InvalidXLS);
  TExporterXLSX_Style xf;
  const int font = WordAt(data, 0);
  xf.FontIndex = font > 3 ? font - 1 : font;
  // A font the file does not have falls back to the default font.
  if (xf.FontIndex >= workbook_.FontList.Count()) xf.FontIndex = 0;
  xf.NumFmtId = WordAt(data, 2);
  const std::uint16_t type = WordAt(data, 4);
  xf.Protection = static_cast<std::uint8_t>(type & 0x03);
  const std::uint8_t alignment = data[6];
  xf.HAlignment = static_cast<std::uint8_t>(XLSToHAlign(alignment));
  xf.VAlignment = static_cast<std::uint8_t>(XLSToVAlign(alignment));
  xf.Wrap = (alignment & 0x08) != 0 ? 1 : 0;
  xf.Rotation = data[7];
  xf.VerticalText = data[7] == 255 ? 1 : 0;
  xf.Indent = data[8] & 0x0F;

  TXLSBorderFields fields;
  fields.Lines = DWordAt(data, 10);
  fields.Colors = DWordAt(data, 14) & 0x01FFFFFF;
  TExportCellBorders borders;
  XLSReadBorders(borders, fields, palette);
  xf.BorderIndex = workbook_.BordersList.Add(borders);

  TColor fill = clNone;
  if ((DWordAt(data, 14) & kFillFlag) != 0) fill = palette.GetColor(WordAt(data, 18) & 0x7F);
  xf.FillIndex = fills_.AddColor(fill);

  ChargeStyle();
  styles_.push_back(xf);
  styleFormats_.push_back(numberFormats_.FindById(xf.NumFmtId));
}

namespace {

// XFEXT extension types that carry a full colour, and the border line each border type sets.
constexpr std::uint16_t kExtFill = 4, kExtFont = 13, kExtTop = 7, kExtBottom = 8, kExtLeft = 9,
                        kExtRight = 10, kExtDiagonal = 11;
constexpr std::uint16_t kColorRGB = 2;
constexpr std::size_t kXFExtHeader = 20;  // frt header, xf index, reserved, extension count
constexpr std::size_t kFullColorSize = 4 + 16;

}  // namespace

void TExporterXLSX_StyleSheet::ReadXLSXFEXT(std::span<const std::uint8_t> data) {
  if (data.size() < kXFExtHeader) return;
  const std::size_t xf = WordAt(data, 14);
  if (xf >= styles_.size()) return;
  looks_.clear();
  TExporterXLSX_Style& style = styles_[xf];
  const std::size_t count = WordAt(data, 18);
  std::size_t at = kXFExtHeader;
  for (std::size_t i = 0; i < count && at + 4 <= data.size(); ++i) {
    const std::uint16_t type = WordAt(data, at);
    const std::size_t size = WordAt(data, at + 2);
    if (size < 4 || at + size > data.size()) return;
    const bool rgb =
        size >= kFullColorSize && WordAt(data, at + 4) == kColorRGB && WordAt(data, at + 6) == 0;
    const TColor color = static_cast<TColor>(DWordAt(data, at + 8) & 0xFFFFFF);
    at += size;
    if (!rgb) continue;
    auto setLines = [&](std::initializer_list<int> lines) {
      const TExportCellBorders* found = workbook_.BordersList.GetItem(style.BorderIndex);
      TExportCellBorders borders;
      if (found != nullptr) borders.Assign(*found);
      for (int line : lines) borders.GetBorder(line).SetColor(color);
      style.BorderIndex = workbook_.BordersList.Add(borders);
    };
    switch (type) {
      case kExtFill:
        style.FillIndex = fills_.AddColor(color);
        break;
      case kExtFont: {
        const TExportFont* found = workbook_.FontList.GetItem(style.FontIndex);
        TExportFont font;
        if (found != nullptr) font.Assign(*found);
        font.SetColor(color);
        style.FontIndex = workbook_.FontList.Add(font);
        break;
      }
      case kExtTop:
        setLines({0});
        break;
      case kExtRight:
        setLines({1});
        break;
      case kExtBottom:
        setLines({2});
        break;
      case kExtLeft:
        setLines({3});
        break;
      case kExtDiagonal:
        setLines({4, 5});
        break;
      default:
        break;
    }
  }
}

}  // namespace workbook
