#include "workbook/formats/xlsx/xlsx_palette.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "platform/system_colors.h"
#include "workbook/formats/xls/xls_record_ids.h"

namespace workbook {

namespace {

// 0xRRGGBB: the eight fixed colours, the 56 of the BIFF8 default palette, then the system
// window-text and window-background colours.
constexpr std::array<std::uint32_t, TExporterXLSX_Palette::kCount> kDefaultPalette = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,  // 0-7
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,  // 8-15
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,  // 16-23
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,  // 24-31
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,  // 32-39
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,  // 40-47
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,  // 48-55
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,  // 56-63
    0x000000, 0xFFFFFF};                                                             // 64-65

constexpr int kFirstFree = 8;
constexpr int kLastRedefinable = 63;
constexpr int kRecordColors = 56;

constexpr TColor SwapRedBlue(std::uint32_t rgb) {
  return static_cast<TColor>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

int Red(TColor c) { return c & 0xFF; }
int Green(TColor c) { return (c >> 8) & 0xFF; }
int Blue(TColor c) { return (c >> 16) & 0xFF; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// An "rgb" attribute: 8 digits ARGB (alpha dropped), or an HTML colour of 3 or 6 digits with an
// optional "#"; anything else is no colour.
TColor HexToColor(std::string_view hex) {
  switch (hex.size()) {
    case 8:
      hex.remove_prefix(2);
      break;
    case 3:
    case 4:
    case 6:
    case 7:
      if (hex.front() == '#') hex.remove_prefix(1);
      break;
    default:
      return clNone;
  }
  if (hex.size() != 3 && hex.size() != 6) return clNone;
  std::uint32_t rgb = 0;
  for (char c : hex) {
    int digit = HexDigit(c);
    if (digit < 0) return clNone;
    rgb = hex.size() == 3 ? (rgb << 8) | static_cast<std::uint32_t>(digit * 17)
                          : (rgb << 4) | static_cast<std::uint32_t>(digit);
  }
  return SwapRedBlue(rgb);
}

}  // namespace

TExporterXLSX_Palette::TExporterXLSX_Palette() {
  for (int i = 0; i < kCount; ++i) {
    colors_[i] = SwapRedBlue(kDefaultPalette[i]);
    used_[i] = i < kFirstFree ? 1 : 0;
  }
}

TColor TExporterXLSX_Palette::GetColor(int index) const {
  return index >= 0 && index < kCount ? colors_[index] : clNone;
}

void TExporterXLSX_Palette::SetColor(int index, TColor color) {
  if (index >= 0 && index < kCount) colors_[index] = color;
}

std::uint8_t TExporterXLSX_Palette::GetColorIndex(TColor color) {
  if (color == clNone)
    color = 0;  // automatic counts as black
  else if (color < 0)
    color = platform::SystemColorToRGB(color);

  int chosen = -1;
  for (int i = 0; i < kCount && chosen < 0; ++i)
    if (colors_[i] == color) chosen = i;
  for (int i = kFirstFree; i <= kLastRedefinable && chosen < 0; ++i)
    if (!used_[i]) {
      colors_[i] = color;
      chosen = i;
    }
  if (chosen < 0) {
    double best = 65535.0;
    for (int i = 0; i <= kLastRedefinable; ++i) {
      double distance = std::sqrt(std::pow(Red(colors_[i]) - Red(color), 2) +
                                  std::pow(Green(colors_[i]) - Green(color), 2) +
                                  std::pow(Blue(colors_[i]) - Blue(color), 2));
      if (distance < best) {
        best = distance;
        chosen = i;
      }
    }
  }
  used_[chosen] = 1;
  return static_cast<std::uint8_t>(chosen);
}

void TExporterXLSX_Palette::WritePalette(TStream& stream) const {
  std::array<std::uint8_t, 6 + kRecordColors * 4> record{};
  const std::uint16_t size = 2 + kRecordColors * 4;
  record[0] = xls_record::kPalette & 0xFF;
  record[1] = xls_record::kPalette >> 8;
  record[2] = size & 0xFF;
  record[3] = size >> 8;
  record[4] = kRecordColors;
  for (int i = 0; i < kRecordColors; ++i) {
    TColor color = colors_[kFirstFree + i];
    record[6 + i * 4] = static_cast<std::uint8_t>(Red(color));
    record[7 + i * 4] = static_cast<std::uint8_t>(Green(color));
    record[8 + i * 4] = static_cast<std::uint8_t>(Blue(color));
  }
  stream.WriteBuffer(record.data(), record.size());
}

void TExporterXLSX_Palette::ReadPalette(std::span<const std::uint8_t> data) {
  if (data.size() < 2) return;
  // The stated count is trusted no further than the colours the record really holds.
  std::size_t count = data[0] | (data[1] << 8);
  count = std::min({count, std::size_t{kCount - kFirstFree}, (data.size() - 2) / 4});
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* rgb = data.data() + 2 + i * 4;
    colors_[kFirstFree + i] = static_cast<TColor>(rgb[0] | (rgb[1] << 8) | (rgb[2] << 16));
  }
}

void TExporterXLSX_Palette::LoadIndexedColors(TXmlNode node) {
  int index = 0;
  for (TXmlNode child = node.FirstElement(); child && index < kCount; child = child.NextElement())
    colors_[index++] = HexToColor(child.Attr("rgb"));
}

}  // namespace workbook
