#pragma once
// Print settings of a worksheet, kept whatever the format so a file read in one format prints
// the same when written in another: header and footer texts and the page layout.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/core/object.h"
#include "workbook/core/xml/xml_node.h"
#include "workbook/model/font.h"
#include "workbook/model/range.h"

namespace workbook {

class TExportWorkSheet;
class THashedStrings;
class TXLSRecordReader;

// Left, centre or right part of a header or footer. Page numbers, dates and the like are kept as
// bracketed field names in Text (e.g. "[PAGENUMBER]"), so each format can translate them to its
// own codes; CR breaks lines.
class TExportHeader : public TPersistent {
 public:
  std::u16string Text;
  TExportFont Font;

  // Sets text and forgets the codes last read from a file.
  void SetText(const std::u16string& text);
  // The section in the spreadsheet "&" code form: the codes read from a file while Text is
  // unchanged, else built from the font and Text.
  std::u16string GetExcelText() const;
  // Reads a section's "&" codes of text into Text and Font and keeps them for writing back.
  void SetExcelText(const std::u16string& text);
  // A text:p paragraph (or several) in regionNode, with the section's text style "MT" + styleName
  // added to stylesNode.
  void WriteODS(TXmlNode regionNode, TXmlNode stylesNode, THashedStrings& fontFaces,
                const std::u16string& styleName) const;

  void AssignTo(TPersistent& dest) const override;

 private:
  std::u16string excelText_;
};

// A page header or footer: three sections and the margin (cm) between it and the printed cells.
class TExportHeaders : public TPersistent {
 public:
  explicit TExportHeaders(TExportWorkSheet* owner) : owner_(owner) {}

  TExportWorkSheet* Owner() const { return owner_; }
  TExportHeader Left;
  TExportHeader Center;
  TExportHeader Right;
  double Margin = 1.0;

  bool HasText() const;
  // Sets every section's font (a new sheet's header starts with its default style's font).
  void SetFonts(const TExportFont& font);
  // "&L", "&C" and "&R" before each section that has text.
  std::u16string BuildExcelString() const;
  // Splits a header string into its sections (a string without section codes is centred).
  void ParseExcelString(const std::u16string& text);

  // The header string as the text of node (oddHeader, oddFooter).
  void WriteXLSX(TXmlNode node) const;
  // The HEADER (0x0014) or FOOTER (0x0015) record, header included.
  std::vector<std::uint8_t> WriteXLS(std::uint16_t recordId) const;
  // HEADER or FOOTER record data (an empty record means no header).
  void ReadXLS(TXLSRecordReader& reader);
  // The regions of a style:header or style:footer node; paragraph styles stylePrefix + 1, 2, 3.
  void WriteODS(TXmlNode regionNode, TXmlNode stylesNode, THashedStrings& fontFaces,
                const std::u16string& stylePrefix) const;

  void AssignTo(TPersistent& dest) const override;

 private:
  TExportWorkSheet* owner_;
};

class TExportPageSettings : public TPersistent {
 public:
  static constexpr std::uint8_t ctHorizontal = 1, ctVertical = 2;

  explicit TExportPageSettings(TExportWorkSheet* owner);

  TExportWorkSheet* Owner() const { return owner_; }
  double LeftMargin = 2.0;
  double TopMargin = 2.0;
  double RightMargin = 2.0;
  double BottomMargin = 2.0;
  std::uint8_t Centering = 0;    // ctHorizontal, ctVertical
  std::uint8_t Orientation = 0;  // 0 portrait, 1 landscape
  std::uint8_t PageOrder = 1;    // 0 over then down, 1 down then over
  bool FitToPage = false;
  int Scale = 100;
  int FitToWidth = 0;
  int FitToHeight = 0;
  bool PrintHeaders = false;
  bool PrintGridLines = false;
  int FirstPageNumber = 1;
  bool UseFirstPageNumber = false;
  TExportRange PrintArea;
  TExportRange TitleRows;
  TExportRange TitleCols;

  // printOptions (when needed), pageMargins and pageSetup as children of sheetNode.
  void WriteXLSX(TXmlNode sheetNode) const;
  void ReadXLSXMargins(TXmlNode pageMarginsNode);
  void ReadXLSXPageSetup(TXmlNode pageSetupNode);
  void ReadXLSXPrintOptions(TXmlNode printOptionsNode);

  // The sheet's page-break, print-option, GUTS, HEADER, FOOTER, centring, margin and SETUP
  // records, headers included.
  std::vector<std::uint8_t> WriteXLS() const;
  // SETUP record data.
  void ReadXLSSetup(TXLSRecordReader& reader);
  // A record of the sheet's page setup (margins, centring, print options, SETUP, HEADER,
  // FOOTER) read into the settings and the sheet's header and footer; False for other records.
  bool ReadXLSRecord(std::uint16_t id, TXLSRecordReader& reader);

  // Attributes of a style:page-layout-properties node.
  void WriteODS(TXmlNode pageLayoutNode) const;

  bool HasPrintArea() const { return PrintArea.HasCols() || PrintArea.HasRows(); }
  bool HasPrintTitles() const { return TitleCols.HasCols() || TitleRows.HasRows(); }
  // 'Sheet'!$A$1:$C$9 (empty without a print area), for _xlnm.Print_Area.
  std::u16string GetXLSXPrintArea() const;
  // 'Sheet'!$A:$B,'Sheet'!$1:$2 (either part alone when only one exists), for
  // _xlnm.Print_Titles.
  std::u16string GetXLSXPrintTitles() const;
  // The print area as table:print-ranges text (sheet-qualified).
  std::u16string GetODSPrintRanges() const;
  bool ReadXLSXPrintArea(std::u16string_view reference);
  void ReadXLSXPrintTitles(std::u16string_view reference);

  // Every field and the three ranges.
  void AssignTo(TPersistent& dest) const override;

 private:
  TExportWorkSheet* owner_;
};

}  // namespace workbook
