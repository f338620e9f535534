#pragma once
// A font of the workbook: size, the five tri-state style bytes, colour and name. Fonts are held
// once per distinct key string in the workbook's font registry; styles refer to them by index.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/core/color.h"
#include "workbook/core/color_sources.h"
#include "workbook/core/xml/xml_node.h"

namespace workbook {

class THashedStrings;

// The five style bytes; 0 always means "not set" (inherit).
class TExportFontStyle {
 public:
  // Bits of the user-interface font style set used for text measuring.
  static constexpr std::uint8_t fsBold = 1;
  static constexpr std::uint8_t fsItalic = 2;
  static constexpr std::uint8_t fsUnderline = 4;
  static constexpr std::uint8_t fsStrikeOut = 8;

  std::uint8_t Bold = 0;          // 1 on, 2 off
  std::uint8_t Underline = 0;     // 1 single, 2 double, 3 single acc., 4 double acc., 5 none
  std::uint8_t Italic = 0;        // 1 on, 2 off
  std::uint8_t StrikeOut = 0;     // 1 on, 2 off
  std::uint8_t VertPosition = 0;  // 1 superscript, 2 subscript, 3 baseline

  void Assign(const TExportFontStyle& source) { *this = source; }
  // Takes every byte of source that is set.
  void Merge(const TExportFontStyle& source);
  bool IsEmpty() const;
  std::uint8_t GetFontStyles() const;
  void SetFontStyles(std::uint8_t styles);
  // "Bold;Underline;Italic;VertPosition;StrikeOut".
  std::u16string GetKeyString() const;

  // SpreadsheetML children b, i, strike, u, vertAlign appended to fontNode (only the set bytes).
  void WriteXLSX(TXmlNode fontNode) const;
  // Every byte from FontNode's children; absent elements read as off, none and baseline.
  void ReadXLSX(TXmlNode fontNode);
  // OpenDocument text properties (fo:font-style, fo:font-weight, underline, line-through and, with
  // withPosition, style:text-position) as attributes of node.
  void WriteODS(TXmlNode node, bool withPosition) const;

  bool operator==(const TExportFontStyle&) const = default;
};

class TExportFont {
 public:
  TExportFont() = default;
  static TExportFont CreateCopy(const TExportFont& source) { return source; }

  void Assign(const TExportFont& source) { *this = source; }
  // Overlay: takes only what source sets (size >= 0, style bytes != 0, a colour, a name).
  void Merge(const TExportFont& source);

  std::int32_t GetSize() const { return size_; }
  void SetSize(std::int32_t size) { size_ = size; }
  TColor GetColor() const { return color_; }
  void SetColor(TColor color) { color_ = color; }
  const std::u16string& GetName() const { return name_; }
  void SetName(const std::u16string& name) { name_ = name; }
  TExportFontStyle& GetStyle() { return style_; }
  const TExportFontStyle& GetStyle() const { return style_; }

  // "Size;<style key>;Color;Name".
  std::u16string GetKeyString() const;

  // The FONT record data (no record header); colorIndex is the palette's index of the colour.
  std::vector<std::uint8_t> WriteXLS(std::uint8_t colorIndex) const;
  // Reads FONT record data; returns the colour index word for the caller's palette (the colour
  // itself is left unchanged). Raises EWorkbookFileException when the data is truncated.
  std::uint16_t ReadXLS(std::span<const std::uint8_t> data);

  // SpreadsheetML font children appended to fontNode: style children, sz, color, then the name
  // element ("name" in styles.xml, "rFont" in rich-text runs).
  void WriteXLSX(TXmlNode fontNode, std::string_view nameElement) const;
  // The same children back; an absent color reads as automatic, an absent name as empty. Theme
  // and indexed colours resolve through themeColors and palette (either may be nullptr).
  void ReadXLSX(TXmlNode fontNode, const IThemeColors* themeColors, const IColorPalette* palette,
                std::string_view nameElement);
  // A rich-text run's properties: the whole "<rPr>...</rPr>" element as UTF-8 text, with "rFont"
  // as name element.
  std::string WriteXLSXRun() const;

  // OpenDocument text properties as attributes of node: style:font-name (the name is added to
  // fontFaces, from which the font-face declarations are written), fo:color (automatic as black),
  // fo:font-size, then the style's attributes.
  void WriteODS(TXmlNode node, THashedStrings& fontFaces, bool withPosition) const;

  bool operator==(const TExportFont&) const = default;

 private:
  std::int32_t size_ = 10;  // points; negative = not set
  TExportFontStyle style_;
  TColor color_ = clNone;
  std::u16string name_;
};

}  // namespace workbook
