#pragma once
// Border lines of a cell: six lines (top, right, bottom, left, diagonal down, diagonal up), each a
// line style and a colour. Sets are held once per distinct key in the workbook's border registry.
#include <array>
#include <cstdint>
#include <string>

#include "workbook/model/font.h"

namespace workbook {

class TExportCellBorder {
 public:
  // Style 0 not set, 1 none, 2 and above the visible line styles (thin, medium, ...).
  static constexpr std::uint8_t kNotSet = 0;
  static constexpr std::uint8_t kNone = 1;
  static constexpr std::uint8_t kFirstVisible = 2;

  TExportCellBorder() = default;
  TExportCellBorder(std::uint8_t style, TStyleColor color) : Style(style), Color(color) {}

  std::uint8_t Style = kNotSet;
  TStyleColor Color = kStyleColorNone;

  void Assign(const TExportCellBorder& source) { *this = source; }
  // Takes Source's style when set and its colour when not automatic.
  void Merge(const TExportCellBorder& source);
  // As Merge, but takes the style only when Source's line is visible.
  void MergeVisible(const TExportCellBorder& source);
  bool IsEqual(const TExportCellBorder& other) const { return *this == other; }
  bool IsVisible() const { return Style >= kFirstVisible; }
  void SetStyle(std::uint8_t style) { Style = style; }
  void SetColor(TStyleColor color) { Color = color; }
  // "Style;Color".
  std::u16string GetKeyString() const;

  bool operator==(const TExportCellBorder&) const = default;
};

class TExportCellBorders {
 public:
  enum TLine { bTop = 0, bRight = 1, bBottom = 2, bLeft = 3, bDiagonalDown = 4, bDiagonalUp = 5 };
  static constexpr int kLineCount = 6;

  void Assign(const TExportCellBorders& source) { *this = source; }
  void Merge(const TExportCellBorders& source);
  void MergeVisible(const TExportCellBorders& source);
  // Line 0 to 5 (see TLine).
  TExportCellBorder& GetBorder(int index) { return lines_.at(index); }
  const TExportCellBorder& GetBorder(int index) const { return lines_.at(index); }
  // The six line keys joined by ";".
  std::u16string GetKeyString() const;

  bool operator==(const TExportCellBorders&) const = default;

 private:
  std::array<TExportCellBorder, kLineCount> lines_{};
};

}  // namespace workbook
