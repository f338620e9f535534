#pragma once
// Date and time cells hold the spreadsheet programs' day serial (time of day as the fraction), so
// values pass between formats unchanged; only the format code tells date, time or both apart.
#include "workbook/model/cell_number.h"
#include "workbook/model/date_time_display.h"

namespace workbook {

class TExportCellDateTime : public TExportCellCustomNumber {
 public:
  TCellClass CellClass() const override { return TCellClass::DateTime; }

  TDateTimeKind GetKind() const;
  // The value the kind shows: whole days, the time of day, or all of it.
  double GetKindValue() const;

  // "yyyy-mm-dd", "hh:nn:ss" or "yyyy-mm-dd hh:nn:ss" by kind.
  std::u16string GetValueText() const override;
  void SetValueText(const std::u16string& text) override;
  std::u16string GetDisplayText() override;
  void SetDisplayText(const std::u16string& text) override;
  void WriteODSNumberStyle(TXmlWriter& writer, const std::u16string& styleName);

  // In a 1904 workbook a file's serials are 1462 days smaller than the model's.
  void ReadValue(double fileValue) override;
  double FileValue() const override;
  void WriteXLS(TStream& stream, int xfIndex, ICellWriteContext& context);
  void WriteXLSX(TXLSXSheetDataWriter& writer, const std::u16string& ref, int styleIndex,
                 ICellWriteContext& context);
  void WriteODS(TXmlWriter& writer, const std::u16string& styleName, ICellWriteContext& context);

 protected:
  void DoCreate() override;
  void SetDefaultAlignment(TExportCellStyle& style) override {
    style.SetAlignment(TExportCellStyle::haCenter);
  }
  void ApplyWorkSheetDefaults(TExportWorkSheet& sheet, TExportCellStyle& style) override;
  // The code with the system placeholders expanded, and its normalised form.
  std::u16string ExpandedCode() const;
  bool ElapsedHours() const;
};

class TExportCellTime : public TExportCellDateTime {
 public:
  TCellClass CellClass() const override { return TCellClass::Time; }

 protected:
  void DoCreate() override;
};

}  // namespace workbook
