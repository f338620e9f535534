#pragma once
// The numeric cells: the common base (a Double and whether it is set) and the number classes
// (number, percent, currency, scientific, fraction), each with its display text and its
// spreadsheet number-format code.
#include <cstdint>

#include "workbook/model/cell.h"
#include "workbook/model/interned_text.h"

namespace workbook {

class TExportCellCustomNumber : public TExportCell {
 public:
  double Value = 0.0;
  using TExportCell::HasValue;

  void SetValue(double value) {
    Value = value;
    HasValue = true;
    if (ExtrasIfAny()) SetFormulaError(TRPNError::None);
  }
  TExportCellCustomNumber* WithValue(double value) {
    SetValue(value);
    return this;
  }
  // The error a file holds in place of the value, by its BIFF8 code (TExportCellBoolean.ErrorText
  // gives its text): an error value's own, the formula's failure, or #NUM! for a NaN or an
  // infinity, which no format holds as a number. False when the value is a number.
  bool GetErrorValue(std::uint8_t& code) const;
  // A value read from a file: kept as the result of the formula read with it (ReadFormula).
  // Date cells shift it in a 1904 workbook.
  virtual void ReadValue(double fileValue);
  // The value as a file stores it (dates shifted back in a 1904 workbook).
  virtual double FileValue() const { return Value; }
  // True when the value came from a file.
  bool ValueFromFile() const { return valueFromFile_; }

  // A formula cell has no value until it is computed: whatever value (or error) it held is no
  // result of the new formula.
  void SetFormula(const std::u16string& text) override;
  void ReadFormula(const std::u16string& text) override;
  // A formula cell without a value evaluates its formula; an error result leaves the value 0
  // and the error in FormulaError.
  void Calculate() override;
  // A FORMULA record with the calculated (or read) result, when the formula parses and fits a
  // BIFF8 sheet; false otherwise, and the caller writes the value record.
  bool WriteXLSFormula(TStream& stream, int xfIndex);
  // The ODS office:value-type ("float", "percentage", "currency", "date", "time") of the cell's
  // class; empty when the class has none.
  std::u16string GetODSValueType() const;
  void AssignTo(TPersistent& dest) const override;
  // A zero that shows and is written as an empty cell.
  virtual bool IsBlankZero() const { return false; }
  // The ODS number style named styleName for this cell's format, by its class (nothing for
  // Booleans).
  void WriteODSNumberStyle(TXmlWriter& writer, const std::u16string& styleName);
  void WriteXLS(TStream& stream, int xfIndex, ICellWriteContext& context);
  void WriteXLSX(TXLSXSheetDataWriter& writer, const std::u16string& ref, int styleIndex,
                 ICellWriteContext& context);
  void WriteODS(TXmlWriter& writer, const std::u16string& styleName, ICellWriteContext& context);

 protected:
  // The error of GetErrorValue in each format, in place of the value: false (nothing written)
  // when the value is a number. ODS: the value-type attributes and the paragraph, after the
  // cell's start; XLSX: the rest of the "c" element; XLS: a BOOLERR record.
  bool WriteODSError(TXmlWriter& writer, ICellWriteContext& context);
  bool WriteXLSXError(TXLSXSheetDataWriter& writer, const std::u16string& ref,
                      ICellWriteContext& context);
  bool WriteXLSError(TStream& stream, int xfIndex);
  void SetDefaultAlignment(TExportCellStyle& style) override {
    style.SetAlignment(TExportCellStyle::haRight);
  }
  void ApplyWorkSheetDefaults(TExportWorkSheet& sheet, TExportCellStyle& style) override;
};

class TExportCellNumber : public TExportCellCustomNumber {
 public:
  TCellClass CellClass() const override { return TCellClass::Number; }

  TExportCellNumber() {
    Decimals = 2;
    MinIntegerDigits = 1;
  }

  using TExportCell::BlankZero;  // zero shows and is written as an empty cell
  using TExportCell::Decimals;   // 255: general, no fixed decimals
  using TExportCell::MinIntegerDigits;
  using TExportCell::RedNegative;
  using TExportCell::ThousandSeparator;

  // 255 (and above 254) also resets MinIntegerDigits to 1.
  void SetDecimals(std::uint8_t decimals);
  // Two or more leading zeros turn general decimals into none.
  void SetMinIntegerDigits(std::uint8_t digits);

  // The invariant text of the stored value, also while no value is set.
  std::u16string GetValueText() const override;
  void SetValueText(const std::u16string& text) override;
  std::u16string GetDisplayText() override;
  void SetDisplayText(const std::u16string& text) override;
  std::u16string GetFormatCode() const override;
  void AssignTo(TPersistent& dest) const override;
  bool IsBlankZero() const override { return BlankZero && Value == 0; }
  void ImportNumberFormat(const TNumberFormatRec& format) override;

  virtual std::u16string GetFormatPrefix(bool negative) const;
  virtual std::u16string GetFormatSuffix() const { return std::u16string(); }
  virtual std::u16string GetPositiveFormatCode() const;
  virtual std::u16string GetNegativeFormatCode() const;
  // The number style's element ("number", "percentage", "currency") by the cell's class.
  std::u16string GetODSStyleElement() const;
  void WriteODSNumberStyle(TXmlWriter& writer, const std::u16string& styleName);
  // The plain number's body; the classes with a body of their own hide it, and
  // WriteODSNumberStyle picks the cell's class's.
  void WriteODSNumberStyleBody(TXmlWriter& writer, bool negative);
  // The value as the settings show it, before the class's decoration.
  virtual std::u16string FormatValue(double value) const;

 protected:
  void DoCreate() override;
  // Fixed-decimal text of V with the user's separators.
  std::u16string FormatFixed(double value) const;
  char16_t GroupSeparator() const;
};

class TExportCellPercent : public TExportCellNumber {
 public:
  TCellClass CellClass() const override { return TCellClass::Percent; }
  std::u16string GetDisplayText() override;
  void SetDisplayText(const std::u16string& text) override;
  std::u16string GetFormatSuffix() const override { return u"%"; }
  void WriteODSNumberStyleBody(TXmlWriter& writer, bool negative);
};

class TExportCellCurrency : public TExportCellNumber {
 public:
  TExportCellCurrency() { ThousandSeparator = true; }
  TCellClass CellClass() const override { return TCellClass::Currency; }
  TInternedText CurrencySymbol;       // pooled: a workbook's currency cells share a few symbols
  std::uint8_t CurrencyPosition = 0;  // 0 before, 1 before with a fill, 2 after

  std::u16string GetDisplayText() override;
  void SetDisplayText(const std::u16string& text) override;
  std::u16string GetFormatPrefix(bool negative) const override;
  std::u16string GetFormatSuffix() const override;
  void WriteODSNumberStyleBody(TXmlWriter& writer, bool negative);
  void AssignTo(TPersistent& dest) const override;
  void ImportNumberFormat(const TNumberFormatRec& format) override;
};

class TExportCellScientific : public TExportCellNumber {
 public:
  TCellClass CellClass() const override { return TCellClass::Scientific; }
  std::uint8_t ExponentDigits = 2;

  std::u16string GetFormatSuffix() const override;
  std::u16string FormatValue(double value) const override;
  void WriteODSNumberStyleBody(TXmlWriter& writer, bool negative);
  void AssignTo(TPersistent& dest) const override;
  void ImportNumberFormat(const TNumberFormatRec& format) override;
};

class TExportCellFraction : public TExportCellNumber {
 public:
  TCellClass CellClass() const override { return TCellClass::Fraction; }
  std::uint8_t FractionDigits = 1;

  void SetDisplayText(const std::u16string& text) override;
  std::u16string GetPositiveFormatCode() const override;
  std::u16string GetNegativeFormatCode() const override;
  std::u16string FormatValue(double value) const override;
  void WriteODSNumberStyleBody(TXmlWriter& writer, bool negative);
  void AssignTo(TPersistent& dest) const override;
  void ImportNumberFormat(const TNumberFormatRec& format) override;
};

}  // namespace workbook
