#pragma once
// Conditional formats of a cell: value comparisons with the look they switch on. The newest rule
// is checked first, so writers emit the rules newest first.
#include <cstdint>
#include <memory>
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
class IXLSFormulaTokens;
class IXLSXCondFormStyles;

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

  // One CF record (header included); relative references count from the cell baseCol, baseRow,
  // the first of the CONDFMT's range. False, and nothing written, when a formula has no BIFF8
  // tokens: without it the rule would mean something else.
  bool WriteXLS(TStream& stream, TExporterXLSX_Palette& palette, IXLSFormulaTokens& tokens,
                int baseCol, int baseRow) const;
  // A CF record's data; false (nothing usable) when the comparison is unknown or formula 1 empty.
  bool ReadXLS(TXLSRecordReader& reader, const TExporterXLSX_Palette& palette,
               IXLSFormulaTokens& tokens, int baseCol, int baseRow);
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

  // A CONDFMT record and the CF records of the rules it can encode; nothing when there is none.
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

}  // namespace workbook
