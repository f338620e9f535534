#pragma once
// Fonts and border sets as one line of text each, written the same way by our side and by the
// openpyxl side (peers/describe_styles.py), so peer tests compare lines.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/text_codec.h"
#include "workbook/model/cell_borders.h"
#include "workbook/model/font.h"
#include "workbook/model/style_test_support.h"

namespace workbook::test {

// The Python side of the lines (peers/describe_styles.py), to put before an inline script.
inline const std::string kDescribeStyles = [] {
  std::ifstream file(std::string(SOURCE_DIR) + "/tests/workbook/formats/peers/describe_styles.py");
  return std::string((std::istreambuf_iterator<char>(file)), {}) + "\n";
}();

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
