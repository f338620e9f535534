#pragma once
// Fonts and border sets as one line of text each, written the same way by our side and by the
// openpyxl side (kDescribeStyles is Python), so peer tests compare lines.
#include <cstdio>
#include <string>

#include "platform/text_codec.h"
#include "workbook/model/cell_borders.h"
#include "workbook/model/font.h"
#include "workbook/model/style_test_support.h"

namespace workbook::test {

// One line per font and border set, in the same form from both sides.
inline const char* kDescribeStyles = R"(
def rgb(color):
    return color.rgb[-6:] if color is not None and color.type == 'rgb' else '-'
def font_line(f):
    return '|'.join(str(x) for x in ['font', f.name, int(f.sz) if f.sz is not None else '-',
        int(bool(f.b)), int(bool(f.i)), int(bool(f.strike)), f.u or 'none',
        # "baseline" reads as not set on our side: both write no vertAlign.
        f.vertAlign if f.vertAlign not in (None, 'baseline') else 'none', rgb(f.color)])
def side(s):
    # The colour of a line without style is not compared.
    if s is None or s.style in (None, 'none'): return 'none:-'
    return s.style + ':' + rgb(s.color)
def border_line(b):
    return '|'.join(['border', side(b.left), side(b.right), side(b.top), side(b.bottom),
        side(b.diagonal), str(int(bool(b.diagonalUp))), str(int(bool(b.diagonalDown)))])
)";

inline std::string Rgb(TColor color) {
  if (color == clNone) return "-";
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF,
                (color >> 16) & 0xFF);
  return text;
}

inline std::string FontLine(const TExportFont& font) {
  const TExportFontStyle& s = font.GetStyle();
  // Not set writes no element, which reads as none.
  const char* underline[] = {"none", "single", "double", "singleAccounting", "doubleAccounting",
                             "none"};
  const char* position[] = {"none", "superscript", "subscript", "none"};
  return "font|" + platform::Utf16ToUtf8(font.GetName()) + "|" + std::to_string(font.GetSize()) +
         "|" + (s.Bold == 1 ? "1" : "0") + "|" + (s.Italic == 1 ? "1" : "0") + "|" +
         (s.StrikeOut == 1 ? "1" : "0") + "|" + underline[s.Underline] + "|" +
         position[s.VertPosition] + "|" + Rgb(font.GetColor());
}

inline std::string Side(const TExportCellBorder& line) {
  const char* names[] = {"?",           "none",
                         "thin",        "medium",
                         "dashed",      "dotted",
                         "thick",       "double",
                         "hair",        "mediumDashed",
                         "dashDot",     "mediumDashDot",
                         "dashDotDot",  "mediumDashDotDot",
                         "slantDashDot"};
  return std::string(names[line.Style]) + ":" + (line.Style <= 1 ? "-" : Rgb(line.Color));
}

inline std::string BorderLine(const TExportCellBorders& b) {
  using B = TExportCellBorders;
  const TExportCellBorder& up = b.GetBorder(B::bDiagonalUp);
  const TExportCellBorder& down = b.GetBorder(B::bDiagonalDown);
  const TExportCellBorder& diagonal = down.IsVisible() ? down : up;
  return "border|" + Side(b.GetBorder(B::bLeft)) + "|" + Side(b.GetBorder(B::bRight)) + "|" +
         Side(b.GetBorder(B::bTop)) + "|" + Side(b.GetBorder(B::bBottom)) + "|" +
         (diagonal.IsVisible() ? Side(diagonal) : "none:-") + "|" + (up.IsVisible() ? "1" : "0") +
         "|" + (down.IsVisible() ? "1" : "0");
}

}  // namespace workbook::test
