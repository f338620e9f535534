#pragma once
// Delimited text (CSV and its relatives): one handler class, TExporterText, whose settings say
// how fields are separated and quoted, and the five registered descendants that only differ in
// those settings. Writing puts the workbook's active worksheet into the stream; reading makes
// one new worksheet of the stream.
#include <memory>
#include <string>

#include "workbook/formats/text/text_encoding.h"
#include "workbook/formats/text/text_writer.h"
#include "workbook/model/custom_exporter.h"

namespace workbook {

class TExportWorkSheet;

class TExporterText : public TCustomExporter {
 public:
  TExporterText();

  // Lets the installed worksheet-selection function pick the sheet, then writes the active
  // sheet after the encoding's byte-order mark.
  void ExportToStream(TStream& stream, TWorkbook& workbook) override;
  // A byte-order mark at the start decides the encoding; without one, Encoding() is used.
  // EWorkbookFileException when the text has more rows or columns than a worksheet holds.
  void ImportFromStream(TStream& stream, TWorkbook& workbook) override;

  // Every cell between quote characters, separators between cells, LineBreak after every row.
  void ExportSheet(TExportWorkSheet& sheet, TTextWriter& writer);

  const TTextEncoding& Encoding() const { return *encoding_; }
  bool OwnsEncoding() const { return ownedEncoding_ != nullptr; }
  // An encoding that outlives the handler (the shared ones of TTextEncoding).
  void SetEncoding(const TTextEncoding& encoding);
  // An encoding the handler keeps and frees.
  void SetEncoding(std::unique_ptr<TTextEncoding> encoding);

  std::u16string LineBreak = u"\r\n";
  char16_t QuoteChar = u'"';  // 0: none
  char16_t Separator = u',';
  char16_t CommentChar = 0;  // 0: none; a line starting with it is skipped on import
  bool ReplaceLineBreaks = true;
  bool UseValueText = false;
  std::u16string ImportSeparators;  // further characters that end a field on import
  bool TrimValues = true;
  bool DetectNumbers = false;

 protected:
  // Back to the defaults above, with UTF-8.
  void SetDefaults();

 private:
  const TTextEncoding* encoding_ = &TTextEncoding::UTF8();
  std::unique_ptr<TTextEncoding> ownedEncoding_;
};

// "CSV comma-separated text"; the base of the registered handlers, which start from its settings.
class TExporterCSVComma : public TExporterText {
 public:
  TExporterCSVComma();
};

class TExporterCSVSemicolon : public TExporterCSVComma {
 public:
  TExporterCSVSemicolon();
};

// Excel's own CSV: the separator is the user's list separator as it was when the handler was
// made, the encoding the system's 8-bit code page.
class TExporterCSVExcel : public TExporterCSVComma {
 public:
  TExporterCSVExcel();
};

class TExporterTSV : public TExporterCSVComma {
 public:
  TExporterTSV();
};

// Its separator is the tab, as TSV's; a blank does not end a field.
class TExporterSSV : public TExporterCSVComma {
 public:
  TExporterSSV();
};

}  // namespace workbook
