#pragma once
// The border lines of a cell, four sides and two diagonals. Few distinct sets occur in a workbook,
// so each is stored once in the registry and cells refer to it.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "workbook/core/list_error.h"
#include "workbook/model/font.h"

namespace workbook {

class TExportCellBorder {
 public:
  // Style 0 not set, 1 none, 2 and above the visible line styles (thin, medium, ...).
  static constexpr std::uint8_t kNotSet = 0;
  static constexpr std::uint8_t kNone = 1;
  static constexpr std::uint8_t kFirstVisible = 2;

  TExportCellBorder() = default;
  TExportCellBorder(std::uint8_t style, TColor color) : Style(style), Color(color) {}

  std::uint8_t Style = kNotSet;
  TColor Color = clNone;

  void Assign(const TExportCellBorder& source) { *this = source; }
  // Takes Source's style when set and its colour when not automatic.
  void Merge(const TExportCellBorder& source);
  // As Merge, but takes the style only when Source's line is visible.
  void MergeVisible(const TExportCellBorder& source);
  bool IsEqual(const TExportCellBorder& other) const { return *this == other; }
  bool IsVisible() const { return Style >= kFirstVisible; }
  void SetStyle(std::uint8_t style) { Style = style; }
  void SetColor(TColor color) { Color = color; }
  // "Style;Color".
  std::u16string GetKeyString() const;

  // SpreadsheetML side element (left, right, top, bottom, diagonal): style attribute and color
  // child; nothing for a line of style none.
  void WriteXLSX(TXmlNode sideNode) const;
  // Style from the style attribute (absent or unknown: none), colour from the color child
  // (absent: automatic). An absent side element reads as none.
  void ReadXLSX(TXmlNode sideNode, const IThemeColors* themeColors, const IColorPalette* palette);
  // OpenDocument border attribute: the line style's text, then (unless none) " #RRGGBB".
  void WriteODS(TXmlNode node, std::string_view attributeName) const;

  bool operator==(const TExportCellBorder&) const = default;
};

class TExportCellBorders {
 public:
  enum TLine { bTop = 0, bRight = 1, bBottom = 2, bLeft = 3, bDiagonalDown = 4, bDiagonalUp = 5 };
  static constexpr int kLineCount = 6;

  void Assign(const TExportCellBorders& source) { *this = source; }
  void Merge(const TExportCellBorders& source);
  void MergeVisible(const TExportCellBorders& source);
  // Line 0 to 5 (see TLine); EListError outside.
  TExportCellBorder& GetBorder(int index) { return lines_[CheckedLine(index)]; }
  const TExportCellBorder& GetBorder(int index) const { return lines_[CheckedLine(index)]; }
  // The six line keys joined by ";".
  std::u16string GetKeyString() const;

  bool operator==(const TExportCellBorders&) const = default;

 private:
  static std::size_t CheckedLine(int index) {
    if (index < 0 || index >= kLineCount) RaiseListIndexError(index);
    return static_cast<std::size_t>(index);
  }

  std::array<TExportCellBorder, kLineCount> lines_{};
};

}  // namespace workbook
