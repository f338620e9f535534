#pragma once
// A text cell.
#include <span>

#include "workbook/model/cell.h"
#include "workbook/model/packed_text.h"

namespace workbook {

class TExportCellString : public TExportCell {
 public:
  TCellClass CellClass() const override { return TCellClass::String; }

  std::u16string GetValue() const { return value_.ToString(); }
  void SetValue(const std::u16string& text) { SetValueEx(text, true); }
  // A text with CR LF switches wrapping on; a text over 255 characters always goes to the
  // shared-string table.
  void SetValueEx(const std::u16string& text, bool clearRichText);
  // The same for a text kept elsewhere too (a reader's shared-string table): the cell shares its
  // characters instead of copying them.
  void SetValueShared(const TPackedText& text);
  // The text as kept: cells that share a text share its characters, so their address tells them
  // apart without reading them.
  const TPackedText& GetValueShared() const { return value_; }

  // Whether XLSX and XLS keep the text in their shared-string table.
  bool SharedString() const { return sharedString_; }
  // False is kept only for texts of at most 255 characters.
  void SetSharedString(bool flag);

  // The runs of the text in fonts of their own, made on first use.
  TStringRichTextTags& GetRichTextTags();
  bool HasRichText() const;
  // A text read from an XLS file with its BIFF8 runs: line breaks become CR LF, the runs follow
  // the characters they formatted.
  void ReadXLSText(std::u16string_view text, std::span<const std::uint8_t> runBuffer);

  const std::u16string& GetHyperlink() const;
  void SetHyperlink(const std::u16string& target);
  bool HasHyperlink() const { return !GetHyperlink().empty(); }

  std::u16string GetValueText() const override { return value_.ToString(); }
  void SetValueText(const std::u16string& text) override { SetValue(text); }
  std::u16string GetDisplayText() override { return value_.ToString(); }
  void SetDisplayText(const std::u16string& text) override { SetValue(text); }
  void AssignTo(TPersistent& dest) const override;
  // Rich text: the runs' widths in their fonts plus the exporter's spacing per run boundary.
  int CalcTextWidth(TCustomExporter& exporter) override;
  // A wrapped cell in a measured row asks the exporter; otherwise the tallest font used.
  double CalcTextHeight(TCustomExporter& exporter, double columnWidth) override;
  void WriteXLS(TStream& stream, int xfIndex, ICellWriteContext& context);
  void WriteXLSX(TXLSXSheetDataWriter& writer, const std::u16string& ref, int styleIndex,
                 ICellWriteContext& context);
  void WriteODS(TXmlWriter& writer, const std::u16string& styleName, ICellWriteContext& context);

 protected:
  void DoCreate() override;
  void ApplyWorkSheetDefaults(TExportWorkSheet& sheet, TExportCellStyle& style) override;

 private:
  // Line breaks switch wrapping on; long texts go to the shared-string table.
  void ValueChanged();
  void StoreSharedString(bool flag) { sharedString_ = flag; }

  TPackedText value_;
};

}  // namespace workbook
