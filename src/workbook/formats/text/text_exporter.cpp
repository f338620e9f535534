#include "workbook/formats/text/text_exporter.h"

#include "platform/format_settings.h"

namespace workbook {

TExporterText::TExporterText() { SetDefaults(); }

void TExporterText::SetDefaults() {
  LineBreak = u"\r\n";
  QuoteChar = u'"';
  Separator = u',';
  CommentChar = 0;
  ReplaceLineBreaks = true;
  UseValueText = false;
  ImportSeparators.clear();
  TrimValues = true;
  DetectNumbers = false;
  SetEncoding(TTextEncoding::UTF8());
}

void TExporterText::SetEncoding(const TTextEncoding& encoding) {
  encoding_ = &encoding;
  ownedEncoding_.reset();
}

void TExporterText::SetEncoding(std::unique_ptr<TTextEncoding> encoding) {
  if (!encoding) return;
  encoding_ = encoding.get();
  ownedEncoding_ = std::move(encoding);
}

TExporterCSVComma::TExporterCSVComma() {
  SetDefaults();
  Description = u"CSV comma-separated text";
  Extensions = {u"csv", u"txt"};
}

TExporterCSVSemicolon::TExporterCSVSemicolon() {
  Description = u"CSV semicolon-separated text";
  Separator = u';';
}

TExporterCSVExcel::TExporterCSVExcel() {
  Description = u"CSV for Excel";
  Separator = platform::FormatSettings().ListSeparator;
  SetEncoding(TTextEncoding::Default());
}

TExporterTSV::TExporterTSV() {
  Description = u"TSV tabulator-separated text";
  Extensions = {u"tsv", u"csv", u"txt"};
  Separator = u'\t';
}

TExporterSSV::TExporterSSV() {
  Description = u"SSV space-separated text";
  Extensions = {u"ssv", u"csv", u"txt"};
  Separator = u'\t';
  ImportSeparators = u"\t";
}

}  // namespace workbook
