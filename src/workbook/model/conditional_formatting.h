#pragma once
// Conditional formats of a cell: value comparisons with the look they switch on. The newest rule
// is checked first, so writers emit the rules newest first.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "workbook/core/color.h"
#include "workbook/core/hashed_strings.h"
#include "workbook/core/owned_list.h"
#include "workbook/core/stream.h"
#include "workbook/core/xml/xml_node.h"
#include "workbook/model/font.h"

namespace workbook {

class TExportCell;
class TExporterXLSX_Palette;
class TExporterODS_ConditionalFormattingStyles;
class TXLSRecordReader;

enum TCondFormatOperator : std::uint8_t {
  cfoEqual,
  cfoNotEqual,
  cfoGreaterThan,
  cfoLessThan,
  cfoGreaterThanOrEqual,
  cfoLessThanOrEqual,
  cfoBetween,
  cfoNotBetween,
};
inline constexpr int kCondFormatOperatorCount = 8;

// Formula text to BIFF8 tokens and back (the formula engine provides it).
class IXLSFormulaTokens {
 public:
  virtual ~IXLSFormulaTokens() = default;
  virtual std::vector<std::uint8_t> Encode(const std::u16string& formula) = 0;
  virtual std::u16string Decode(std::span<const std::uint8_t> tokens) = 0;
};

// The dxf list of an XLSX style sheet as the rules use it.
class IXLSXCondFormStyles {
 public:
  virtual ~IXLSXCondFormStyles() = default;
  // The dxf index of the format (find or add).
  virtual int AddStyle(TColor fontColor, const TExportFontStyle& fontStyle, TColor fillColor) = 0;
  // The next cfRule priority, 1 first.
  virtual int NextPriority() = 0;
  virtual int Count() const = 0;
  // index within 0..Count() - 1.
  virtual void GetStyle(int index, TColor& fontColor, TExportFontStyle& fontStyle,
                        TColor& fillColor) const = 0;
};

class TExportConditionalFormattingRule : public TOwnedListObject {
 public:
  std::uint8_t Operator = cfoEqual;
  std::u16string Formula1;
  std::u16string Formula2;  // the range operators only
  TColor FontColor = clNone;
  TExportFontStyle FontStyle;
  TColor FillColor = clNone;

  static bool IsRangeOperator(std::uint8_t op) { return op == cfoBetween || op == cfoNotBetween; }

  // Creates and appends a rule to list.
  static TExportConditionalFormattingRule* AddRule(TOwnedList& list, std::uint8_t op,
                                                   const std::u16string& formula1,
                                                   const std::u16string& formula2);
  void AssignFormat(TColor fontColor, const TExportFontStyle& fontStyle, TColor fillColor);

  // One CF record (header included).
  void WriteXLS(TStream& stream, TExporterXLSX_Palette& palette, IXLSFormulaTokens& tokens) const;
  // A CF record's data; false (nothing usable) when the comparison is unknown or formula 1 empty.
  bool ReadXLS(TXLSRecordReader& reader, const TExporterXLSX_Palette& palette,
               IXLSFormulaTokens& tokens);
  // A cfRule child of node.
  void WriteXLSX(const TXmlNode& node, IXLSXCondFormStyles& styles) const;
  // The format of ODS style index ("Conditional" + index) into office:styles.
  void WriteODSStyle(const TXmlNode& stylesNode, int index) const;
  // Nothing here: only the ODS copies know the cell the rule applies to.
  virtual void WriteODS(const TXmlNode& /*styleNode*/,
                        TExporterODS_ConditionalFormattingStyles& /*registry*/) const {}

  std::u16string GetKeyString() const;
  std::u16string GetIdentityKeyString() const;

  void AssignTo(TPersistent& dest) const override;
  std::unique_ptr<TOwnedListObject> NewInstance() const override;
};

// A rule copied into an ODS cell style, knowing the cell it applies to.
class TExportConditionalFormattingRule_ODS : public TExportConditionalFormattingRule {
 public:
  std::string SheetName;  // UTF-8
  int Col = 0;
  int Row = 0;
  int ColSpan = 1;
  int RowSpan = 1;

  void WriteODS(const TXmlNode& styleNode,
                TExporterODS_ConditionalFormattingStyles& registry) const override;
  std::unique_ptr<TOwnedListObject> NewInstance() const override;
};

class TExportConditionalFormattingRules : public TOwnedListOf<TExportConditionalFormattingRule> {
 public:
  using TOwnedListOf::TOwnedListOf;
};

class TExportConditionalFormatting : public TPersistent {
 public:
  explicit TExportConditionalFormatting(TObject* owner) : owner_(owner) {}

  TExportConditionalFormattingRules Rules;

  TObject* Owner() const { return owner_; }
  TExportCell* GetCell() const;
  int Count() const { return Rules.Count(); }
  TExportConditionalFormattingRule* GetRule(int index) const { return Rules.GetItem(index); }

  // CONDFMT and its CF records; only for a cell with rules.
  void WriteXLS(TStream& stream, TExporterXLSX_Palette& palette, IXLSFormulaTokens& tokens) const;
  // sqref and the cfRule children of a conditionalFormatting element.
  void WriteXLSX(const TXmlNode& node, IXLSXCondFormStyles& styles) const;
  // The style:map children of a cell style.
  void WriteODS(const TXmlNode& styleNode,
                TExporterODS_ConditionalFormattingStyles& registry) const;
  // Appends the cellIs rules of a conditionalFormatting element in evaluation order.
  void ReadXLSX(const TXmlNode& node, const IXLSXCondFormStyles& styles);
  std::u16string GetKeyString() const;

  void AssignTo(TPersistent& dest) const override;

 private:
  TObject* owner_;
};

// The cells a CONDFMT record's following CF records apply to: the first cell of each range,
// as (column, row) pairs within the sheet's limits.
std::vector<std::pair<int, int>> ReadXLSCondFmtTargets(TXLSRecordReader& reader);

}  // namespace workbook
