#pragma once
// TExporterXLSX_StyleSheet: the deduplicated formats a writer numbers its cells by. XLS numbers
// its XF records the same way as XLSX, so both handlers build this one table; fonts and borders
// stay in the workbook's registries.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "workbook/core/color.h"
#include "workbook/core/hashed_strings.h"
#include "workbook/core/xml/xml_document.h"
#include "workbook/formats/xlsx/xlsx_cond_form_styles.h"
#include "workbook/formats/xlsx/xlsx_number_formats.h"
#include "workbook/model/cell_class.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/font.h"

namespace workbook {

class TWorkbook;
class TExportCell;
class TExportCellStyle;
class TZipArchive;
class IThemeColors;
class TExporterXLSX_Palette;

// One xf.
struct TExporterXLSX_Style {
  std::int32_t FontIndex = 0;
  std::int32_t FillIndex = 0;
  std::int32_t NumFmtId = -1;  // -1: none
  std::int32_t BorderIndex = 0;
  std::uint8_t HAlignment = 0;  // enum_names.h codes
  std::uint8_t Indent = 0;
  std::uint8_t VAlignment = 0;  // enum_names.h codes
  std::uint8_t Wrap = 0;
  std::uint8_t VerticalText = 0;
  std::uint8_t Rotation = 0;    // the BIFF rotation byte
  std::uint8_t Protection = 1;  // bit 0 locked, bit 1 hidden
};

// The fills, each a pattern colour; position 0 is no colour and 1 the gray-125 marker.
class TExporterXLSX_Fills {
 public:
  TExporterXLSX_Fills() { Reset(); }
  void Reset() { colors_ = {clNone, clGray125Fill}; }
  void Clear() { colors_.clear(); }
  // The first fill of that colour, or a new one.
  int AddColor(TColor color);
  void Append(TColor color) { colors_.push_back(color); }
  int Count() const { return static_cast<int>(colors_.size()); }
  // No colour outside the list.
  TColor GetColor(int index) const;

 private:
  std::vector<TColor> colors_;
};

// A conditional-format style (dxf).
struct TExporterXLSX_CondFormStyle {
  TColor FontColor = clNone;
  TExportFontStyle FontStyle;
  TColor FillColor = clNone;
};

// The dxfs: read from styles.xml, or gathered from the rules an export writes (find or add by
// format), with the cfRule priority counter of that export.
class TExporterXLSX_CondFormStyles : public IXLSXCondFormStyles {
 public:
  int Count() const override { return static_cast<int>(items_.size()); }
  const TExporterXLSX_CondFormStyle& GetItem(int index) const { return items_.at(index); }
  void Append(const TExporterXLSX_CondFormStyle& style) { items_.push_back(style); }
  void Clear() {
    items_.clear();
    priority_ = 0;
  }

  int AddStyle(TColor fontColor, const TExportFontStyle& fontStyle, TColor fillColor) override;
  int NextPriority() override { return ++priority_; }
  void GetStyle(int index, TColor& fontColor, TExportFontStyle& fontStyle,
                TColor& fillColor) const override;

 private:
  std::vector<TExporterXLSX_CondFormStyle> items_;
  int priority_ = 0;
};

class TExporterXLSX_StyleSheet {
 public:
  // Reading empties the fills so that a file's fills take positions from 0.
  TExporterXLSX_StyleSheet(TWorkbook& workbook, bool writing);

  // "xl/styles.xml" of the package (absent: nothing is read) into the lists and the workbook's
  // font and border registries.
  void ReadXLSX(TZipArchive& zip, const IThemeColors* theme, TExporterXLSX_Palette& palette);
  // The same from a parsed styles part.
  void ReadStyles(TXmlDocument& styles, const IThemeColors* theme, TExporterXLSX_Palette& palette);

  // Writing: the xf of a cell style with the cell's number format (cell may be nullptr); equal
  // styles share one xf. The style's private font and borders go to the registries first.
  int AddStyle(TExportCellStyle& style, const TExportCell* cell);
  // The xf index with the borders of style (merged and forced-range cells keep their own lines).
  int AddStyleWithBorders(int index, const TExportCellStyle& style);
  // BIFF8 FONT, FORMAT and XF records (15 style XFs, the default cell XF, then one per xf);
  // palette entries may be redefined for colours it lacks.
  void WriteXLS(TStream& stream, TExporterXLSX_Palette& palette);
  // "xl/styles.xml" into the package, and the same tree built into Document.
  void WriteXLSX(TZipArchive& zip);
  void WriteStyles(TXmlDocument& document);

  // Fills style (and, with a cell, the cell's number format) from xf index; an index outside the
  // list does nothing.
  void ApplyStyle(int index, TExportCellStyle& style, TExportCell* cell);
  // Gives the cell the number format of xf index (nothing for General or an unknown format).
  void ApplyNumberFormat(int index, TExportCell& cell);
  // Gives a cell read from a file the look and number format of xf index. Xf 0 and the xfs that
  // look like it (most cells of a file) leave the cell on the sheet's default style, with no
  // style object of its own: a style per cell would double the memory a large sheet takes.
  void ApplyCellFormat(int index, TExportCell& cell);
  // The class a number with xf index becomes.
  TCellClass GetCellClass(int index);

  // BIFF8 reading (xlsx_style_sheet_xls.cpp), record by record in file order. BeginReadXLS
  // empties the xf list and re-enters the built-in formats; a FORMAT record adds a number format;
  // an XF record's data appends an xf: BIFF font numbers (which skip 4) become registry indexes,
  // the border set goes to the workbook's border registry and the pattern colour to the fills,
  // colours through the palette. A record shorter than an XF is a damaged file.
  void BeginReadXLS();
  void ReadXLSFormat(std::int32_t id, std::u16string code);
  void ReadXLSXF(std::span<const std::uint8_t> data, const TExporterXLSX_Palette& palette);
  // An XFEXT record: the full RGB colours of an XF read before (fill, font, border lines) replace
  // its palette colours; theme colours and tinted ones are left as the palette gave them.
  void ReadXLSXFEXT(std::span<const std::uint8_t> data);

  int StyleCount() const { return static_cast<int>(styles_.size()); }
  const TExporterXLSX_Style& GetStyle(int index) const { return styles_.at(index); }
  TExporterXLSX_Fills& Fills() { return fills_; }
  TExporterXLSX_NumberFormats& NumberFormats() { return numberFormats_; }
  TExporterXLSX_CondFormStyles& CondFormStyles() { return condFormStyles_; }

 private:
  TExporterXLSX_NumberFormat* NumberFormatOf(int index);
  // Charge a load for an xf or a number format about to be read.
  static void ChargeStyle();
  static void ChargeNumberFormat(const std::u16string& code);
  // Whether xf index differs from xf 0 in nothing but its number format (looked up once per xf).
  bool LooksLikeDefault(int index);
  bool SameFont(int a, int b) const;
  enum class TLook : std::uint8_t { Unknown, Default, Own };

  TWorkbook& workbook_;
  TExporterXLSX_Fills fills_;
  TExporterXLSX_NumberFormats numberFormats_;
  std::vector<TExporterXLSX_Style> styles_;
  // Number format of each xf, looked up once (nullptr: none).
  std::vector<TExporterXLSX_NumberFormat*> styleFormats_;
  // Reading: LooksLikeDefault of each xf, emptied whenever the xfs change.
  std::vector<TLook> looks_;
  TExporterXLSX_CondFormStyles condFormStyles_;
  // Writing: position k holds the key of xf k.
  THashedStrings styleKeys_;
};

}  // namespace workbook
