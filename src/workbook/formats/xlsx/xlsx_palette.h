#pragma once
// TExporterXLSX_Palette: BIFF8 refers to colours only by palette slot, so each XLS write or read
// keeps one palette. Writing reuses spare slots for colours the standard set lacks; reading maps
// slots back to the file's own colours.
#include <array>
#include <cstdint>
#include <span>

#include "workbook/core/stream.h"
#include "workbook/core/xml/xml_node.h"
#include "workbook/model/font.h"

namespace workbook {

class TExporterXLSX_Palette {
 public:
  static constexpr int kCount = 66;

  TExporterXLSX_Palette();

  int GetCount() const { return kCount; }
  // The entry's colour; clNone outside 0..65.
  TColor GetColor(int index) const;
  // Replaces an entry's colour (an index outside 0..65 is ignored).
  void SetColor(int index, TColor color);
  // The index to write for color: an equal entry, else a free entry of 8..63 redefined to it,
  // else the nearest of 0..63. The chosen entry counts as used from then on.
  std::uint8_t GetColorIndex(TColor color);

  // The PALETTE record (header included): entries 8 to 63.
  void WritePalette(TStream& stream) const;
  // A PALETTE record's data (after the header): entries 8 on take its colours.
  void ReadPalette(std::span<const std::uint8_t> data);
  // Entries 0 on from the rgb attributes of an XLSX indexedColors element's children.
  void LoadIndexedColors(TXmlNode node);

 private:
  std::array<TColor, kCount> colors_;
  // 1: fixed or already handed out; 0: free to redefine.
  std::array<std::uint8_t, kCount> used_;
};

}  // namespace workbook
