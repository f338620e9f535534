#pragma once
// The frame of a picture or comment box: fill, border line and shadow, written as ODS graphic
// properties and DrawingML shape properties, and read back from DrawingML.
#include <cstdint>
#include <memory>
#include <string>

#include "workbook/core/color.h"
#include "workbook/core/color_sources.h"
#include "workbook/core/owned_list.h"
#include "workbook/core/xml/xml_node.h"

namespace workbook {

class TCustomExportDrawingFill : public TPersistent {
 public:
  static constexpr std::uint8_t ftNone = 0;
  static constexpr std::uint8_t ftAutomatic = 1;
  static constexpr std::uint8_t ftSolid = 2;

  std::uint8_t FillType = ftAutomatic;
  TColor Color = 0xFFFFFF;
  std::uint8_t Transparency = 0;  // percent

  // "FillType;Color;Transparency".
  virtual std::u16string GetKeyString() const;
  void AssignTo(TPersistent& dest) const override;
};

class TExportDrawingFill : public TCustomExportDrawingFill {};

class TExportDrawingBorder : public TExportDrawingFill {
 public:
  static constexpr std::uint8_t dsSolid = 0;
  static constexpr std::uint8_t dsDotted = 1;
  static constexpr std::uint8_t dsDashed = 2;

  TExportDrawingBorder() {
    FillType = ftNone;
    Color = 0;
  }
  int Width = -1;  // pixels; -1 = the application's default
  std::uint8_t Dash = dsSolid;

  std::u16string GetKeyString() const override;
  void AssignTo(TPersistent& dest) const override;
};

class TExportDrawingShadow : public TCustomExportDrawingFill {
 public:
  TExportDrawingShadow() {
    Color = 0;
    Transparency = 50;
  }
  int Distance = 3;  // pixels
  int Blur = 4;      // pixels

  // Drawn only for a solid shadow.
  bool Visible() const { return FillType == ftSolid; }
  std::u16string GetKeyString() const override;
  void AssignTo(TPersistent& dest) const override;
};

class TExportDrawingStyle : public TOwnedListObject {
 public:
  TExportDrawingFill Fill;
  TExportDrawingBorder Border;
  TExportDrawingShadow Shadow;

  // "fill key;border key;shadow key".
  std::u16string GetKeyString() const;
  void AssignTo(TPersistent& dest) const override;
  std::unique_ptr<TOwnedListObject> NewInstance() const override;

  // Attributes of a style:graphic-properties element (the ODS writer adds a comment frame's own).
  void WriteODS(const TXmlNode& graphicProperties) const;
  // Fill, line and effect list after what spPr already holds (the preset geometry).
  void WriteXLSX(const TXmlNode& spPr) const;
  // From an xdr:spPr element; theme resolves scheme colours (may be null).
  void ReadXLSX(const TXmlNode& spPr, const IThemeColors* theme = nullptr);
};

}  // namespace workbook
