// ODS number styles (number:number-style and its kin) of the numeric cell classes, written once
// per distinct style name by the ODS writer.
#include "platform/format_settings.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/xml/xml_writer.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_number.h"

namespace workbook {

namespace {

void WriteText(TXmlWriter& writer, std::u16string_view text) {
  writer.WriteElementString("number:text", text);
}

void WriteField(TXmlWriter& writer, const char* element, bool longForm) {
  writer.StartElement(element);
  writer.WriteAttribute("number:style", longForm ? "long" : "short");
  writer.EndElement();
}

// The body of the cell's own class.
void WriteClassBody(TExportCellNumber& cell, TXmlWriter& writer, bool negative) {
  switch (cell.CellClass()) {
    case TCellClass::Percent:
      return static_cast<TExportCellPercent&>(cell).WriteODSNumberStyleBody(writer, negative);
    case TCellClass::Currency:
      return static_cast<TExportCellCurrency&>(cell).WriteODSNumberStyleBody(writer, negative);
    case TCellClass::Scientific:
      return static_cast<TExportCellScientific&>(cell).WriteODSNumberStyleBody(writer, negative);
    case TCellClass::Fraction:
      return static_cast<TExportCellFraction&>(cell).WriteODSNumberStyleBody(writer, negative);
    default:
      return cell.WriteODSNumberStyleBody(writer, negative);
  }
}

}  // namespace

void TExportCellCustomNumber::WriteODSNumberStyle(TXmlWriter& writer,
                                                  const std::u16string& styleName) {
  switch (CellClass()) {
    case TCellClass::Number:
    case TCellClass::Percent:
    case TCellClass::Currency:
    case TCellClass::Scientific:
    case TCellClass::Fraction:
      return static_cast<TExportCellNumber&>(*this).WriteODSNumberStyle(writer, styleName);
    case TCellClass::DateTime:
    case TCellClass::Time:
      return static_cast<TExportCellDateTime&>(*this).WriteODSNumberStyle(writer, styleName);
    default:
      return;
  }
}

std::u16string TExportCellNumber::GetODSStyleElement() const {
  switch (CellClass()) {
    case TCellClass::Percent:
      return u"percentage";
    case TCellClass::Currency:
      return u"currency";
    default:
      return u"number";
  }
}

void TExportCellNumber::WriteODSNumberStyle(TXmlWriter& writer, const std::u16string& styleName) {
  std::u16string kind = GetODSStyleElement();
  std::string element = "number:" + std::string(kind.begin(), kind.end()) + "-style";
  bool negative = !GetNegativeFormatCode().empty();
  writer.StartElement(element);
  writer.WriteAttribute("style:name", negative ? styleName + u"PO" : styleName);
  WriteClassBody(*this, writer, false);
  writer.EndElement();
  if (!negative) return;
  writer.StartElement(element);
  writer.WriteAttribute("style:name", styleName);
  if (RedNegative) {
    writer.StartElement("style:text-properties");
    writer.WriteAttribute("fo:color", "#ff0000");
    writer.EndElement();
  }
  WriteClassBody(*this, writer, true);
  writer.StartElement("style:map");
  writer.WriteAttribute("style:condition", "value()>=0");
  writer.WriteAttribute("style:apply-style-name", styleName + u"PO");
  writer.EndElement();
  writer.EndElement();
}

void TExportCellNumber::WriteODSNumberStyleBody(TXmlWriter& writer, bool negative) {
  if (negative) WriteText(writer, u"-");
  writer.StartElement("number:number");
  if (Decimals < 128) writer.WriteAttribute("number:decimal-places", ISOIntToStr(Decimals));
  writer.WriteAttribute("number:min-integer-digits", ISOIntToStr(MinIntegerDigits));
  if (ThousandSeparator) writer.WriteAttribute("number:grouping", "true");
  writer.EndElement();
}

void TExportCellPercent::WriteODSNumberStyleBody(TXmlWriter& writer, bool negative) {
  TExportCellNumber::WriteODSNumberStyleBody(writer, negative);
  WriteText(writer, u"%");
}

void TExportCellCurrency::WriteODSNumberStyleBody(TXmlWriter& writer, bool negative) {
  if (CurrencyPosition == 2) {
    TExportCellNumber::WriteODSNumberStyleBody(writer, negative);
    WriteText(writer, u" ");
    writer.WriteElementString("number:currency-symbol", CurrencySymbol.str());
    return;
  }
  writer.WriteElementString("number:currency-symbol", CurrencySymbol.str());
  WriteText(writer, u" ");
  TExportCellNumber::WriteODSNumberStyleBody(writer, negative);
}

void TExportCellScientific::WriteODSNumberStyleBody(TXmlWriter& writer, bool negative) {
  if (negative) WriteText(writer, u"-");
  writer.StartElement("number:scientific-number");
  if (Decimals < 128) writer.WriteAttribute("number:decimal-places", ISOIntToStr(Decimals));
  writer.WriteAttribute("number:min-integer-digits", "1");
  writer.WriteAttribute("number:min-exponent-digits", ISOIntToStr(ExponentDigits));
  writer.EndElement();
}

void TExportCellFraction::WriteODSNumberStyleBody(TXmlWriter& writer, bool negative) {
  if (negative) WriteText(writer, u"-");
  writer.StartElement("number:fraction");
  writer.WriteAttribute("number:min-integer-digits", "0");
  writer.WriteAttribute("number:min-numerator-digits", ISOIntToStr(FractionDigits));
  writer.WriteAttribute("number:min-denominator-digits", ISOIntToStr(FractionDigits));
  if (ThousandSeparator) writer.WriteAttribute("number:grouping", "true");
  writer.EndElement();
}

void TExportCellDateTime::WriteODSNumberStyle(TXmlWriter& writer, const std::u16string& styleName) {
  const platform::TFormatSettings& fs = platform::FormatSettings();
  std::u16string code = NormalizeDateTimeCode(ExpandedCode());
  writer.StartElement(GetODSValueType() == u"time" ? "number:time-style" : "number:date-style");
  writer.WriteAttribute("style:name", styleName);
  std::u16string literal;
  auto flush = [&] {
    if (!literal.empty()) WriteText(writer, literal);
    literal.clear();
  };
  bool afterHour = false;
  for (std::size_t i = 0; i < code.size();) {
    char16_t c = code[i];
    std::size_t run = 1;
    while (i + run < code.size() && code[i + run] == c) ++run;
    if (code.compare(i, 5, u"am/pm") == 0) {
      flush();
      writer.StartElement("number:am-pm");
      writer.EndElement();
      i += 5;
      continue;
    }
    if (c == u'"') {
      std::size_t close = code.find(u'"', i + 1);
      if (close == std::u16string::npos) close = code.size();
      literal += code.substr(i + 1, close - i - 1);
      i = close + 1;
      continue;
    }
    bool longForm = run == 2 || run == 4;
    switch (c) {
      case u'd':
        flush();
        WriteField(writer, run <= 2 ? "number:day" : "number:day-of-week", longForm);
        afterHour = false;
        break;
      case u'm': {
        flush();
        // Minutes right after an hour or right before seconds; a month otherwise.
        std::size_t next = code.find_first_not_of(u" :.", i + run);
        if (afterHour || (next != std::u16string::npos && code[next] == u's')) {
          WriteField(writer, "number:minutes", longForm);
        } else {
          writer.StartElement("number:month");
          writer.WriteAttribute("number:style", longForm ? "long" : "short");
          if (run >= 3) writer.WriteAttribute("number:textual", "true");
          writer.EndElement();
        }
        afterHour = false;
        break;
      }
      case u'h':
        flush();
        WriteField(writer, "number:hours", longForm);
        afterHour = true;
        break;
      case u's':
        flush();
        WriteField(writer, "number:seconds", longForm);
        afterHour = false;
        break;
      case u'y':
        flush();
        WriteField(writer, "number:year", run >= 4);
        afterHour = false;
        break;
      case u':':
        literal.append(run, fs.TimeSeparator);
        break;
      case u'/':
        literal.append(run, fs.DateSeparator);
        break;
      default:
        literal.append(run, c);
        break;
    }
    i += run;
  }
  flush();
  writer.EndElement();
}

}  // namespace workbook
