// ODS "table:table-cell" elements of the cell classes.
#include <cmath>

#include "platform/float_text.h"
#include "workbook/core/formula_text.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/oformat.h"
#include "workbook/core/xml/xml_writer.h"
#include "workbook/formats/cell_write_context.h"
#include "workbook/formats/ods/ods_exporter.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_class_visit.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_empty.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/drawing.h"
#include "workbook/model/rich_text.h"

namespace workbook {

namespace {

// One line of a paragraph: a blank that starts the line or follows another blank is written as
// "text:s", as OpenDocument collapses plain ones.
void WriteODSLine(TXmlWriter& writer, std::u16string_view line) {
  std::size_t start = 0;  // of the run of text not yet written
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] != u' ' || (i > 0 && line[i - 1] != u' ')) continue;
    if (i > start) writer.WriteString(line.substr(start, i - start));
    start = i + 1;
    writer.StartElement("text:s");
    writer.EndElement();
  }
  if (line.size() > start) writer.WriteString(line.substr(start));
}

// A piece of one line in one run: in its text style's span, inside the hyperlink when there is
// one.
void WriteODSPiece(TXmlWriter& writer, std::u16string_view piece, const std::u16string& style,
                   const std::u16string& hyperlink) {
  if (piece.empty()) return;
  if (!style.empty()) {
    writer.StartElement("text:span");
    writer.WriteAttribute("text:style-name", style);
  }
  if (!hyperlink.empty()) {
    writer.StartElement("text:a");
    writer.WriteAttribute("xlink:href", hyperlink);
  }
  WriteODSLine(writer, piece);
  if (!hyperlink.empty()) writer.EndElement();
  if (!style.empty()) writer.EndElement();
}

}  // namespace

void TExportCell::WriteODSCellStart(TXmlWriter& writer, const std::u16string& styleName) {
  Calculate();
  writer.StartElement("table:table-cell");
  const int colSpan = ColSpanWithin(TCustomExporterODS::kMaxCols);
  const int rowSpan = RowSpanWithin(TCustomExporterODS::kMaxRows);
  if (colSpan >= 2 || rowSpan >= 2) {
    writer.WriteAttribute("table:number-columns-spanned", ISOIntToStr(colSpan));
    writer.WriteAttribute("table:number-rows-spanned", ISOIntToStr(rowSpan));
  }
  if (!styleName.empty()) writer.WriteAttribute("table:style-name", styleName);
  if (HasFormula()) writer.WriteAttribute("table:formula", FormulaToODS(GetFormula(), true));
}

void TExportCell::WriteODSText(TXmlWriter& writer, std::u16string_view text,
                               const std::u16string& hyperlink, const TStringRichTextTags* tags,
                               ICellWriteContext& context) {
  TStringRichTextTagTextList runs;
  if (tags != nullptr && tags->Count() > 0)
    tags->BuildTextList(text, runs, false);
  else
    runs.Add(std::u16string(text), nullptr);
  writer.StartElement("text:p");
  bool afterCR = false;
  for (int i = 0; i < runs.Count(); ++i) {
    const TStringRichTextTagTextList_Entry& run = runs.GetEntry(i);
    const std::u16string style = run.Font ? context.ODSTextStyleName(*run.Font) : std::u16string();
    std::u16string_view rest = run.Text;
    // A CR LF pair split between two runs is still one line break.
    if (afterCR && !rest.empty() && rest.front() == u'\n') rest.remove_prefix(1);
    afterCR = false;
    while (true) {
      const std::size_t end = rest.find_first_of(u"\r\n");
      WriteODSPiece(writer, rest.substr(0, end), style, hyperlink);
      if (end == std::u16string_view::npos) break;
      writer.EndElement();
      writer.StartElement("text:p");
      std::size_t next = end + 1;
      if (rest[end] == u'\r') {
        if (next < rest.size() && rest[next] == u'\n')
          ++next;
        else if (next == rest.size())
          afterCR = true;
      }
      rest.remove_prefix(next);
    }
  }
  writer.EndElement();
}

void TExportCell::WriteODSCellEnd(TXmlWriter& writer, ICellWriteContext& context) {
  const TExportCellDrawings* drawings = DrawingsIfAny();
  if ((drawings && drawings->Count() > 0) || HasComment())
    context.WriteODSAttachments(writer, *this);
  writer.EndElement();
}

void TExportCell::WriteODS(TXmlWriter& writer, const std::u16string& styleName,
                           ICellWriteContext& context) {
  VisitCellClass(CellClass(), [&]<class C>(std::type_identity<C>) {
    static_cast<C&>(*this).WriteODS(writer, styleName, context);
  });
}

std::u16string TExportCellCustomNumber::GetODSValueType() const {
  switch (CellClass()) {
    case TCellClass::Number:
    case TCellClass::Scientific:
    case TCellClass::Fraction:
      return u"float";
    case TCellClass::Percent:
      return u"percentage";
    case TCellClass::Currency:
      return u"currency";
    case TCellClass::DateTime:
    case TCellClass::Time:
      return static_cast<const TExportCellDateTime&>(*this).GetKind() == TDateTimeKind::Time
                 ? u"time"
                 : u"date";
    default:
      return std::u16string();
  }
}

void TExportCellEmpty::WriteODS(TXmlWriter& writer, const std::u16string& styleName,
                                ICellWriteContext& context) {
  WriteODSCellStart(writer, styleName);
  WriteODSCellEnd(writer, context);
}

void TExportCellString::WriteODS(TXmlWriter& writer, const std::u16string& styleName,
                                 ICellWriteContext& context) {
  WriteODSCellStart(writer, styleName);
  if (!value_.empty() || HasFormula()) {
    writer.WriteAttribute("office:value-type", "string");
    WriteODSText(writer, context.CellText(value_), GetHyperlink(),
                 HasRichText() ? &GetRichTextTags() : nullptr, context);
  }
  WriteODSCellEnd(writer, context);
}

bool TExportCellCustomNumber::WriteODSError(TXmlWriter& writer, ICellWriteContext& context) {
  std::uint8_t code;
  if (!GetErrorValue(code)) return false;
  const std::u16string text = TExportCellBoolean::ErrorText(code);
  // As LibreOffice writes an error: a text-typed cell marked as an error, showing it. The format
  // holds an error only as a formula's result: a value without a formula of its own gets the
  // formula of that error alone.
  if (!HasFormula()) writer.WriteAttribute("table:formula", u"of:=" + text);
  writer.WriteAttribute("office:value-type", "string");
  writer.WriteAttribute("office:string-value", "");
  writer.WriteAttribute("calcext:value-type", "error");
  WriteODSText(writer, text, std::u16string(), nullptr, context);
  return true;
}

void TExportCellCustomNumber::WriteODS(TXmlWriter& writer, const std::u16string& styleName,
                                       ICellWriteContext& context) {
  WriteODSCellStart(writer, styleName);
  if (WriteODSError(writer, context)) return WriteODSCellEnd(writer, context);
  std::u16string type = GetODSValueType();
  // A formula's result goes with it, 0 too, with every digit it has.
  if (HasValue && !type.empty() && (HasFormula() || !IsBlankZero())) {
    writer.WriteAttribute("office:value-type", type);
    writer.WriteAttribute("office:value", platform::FloatToStrRoundTrip(Value));
  }
  WriteODSCellEnd(writer, context);
}

void TExportCellDateTime::WriteODS(TXmlWriter& writer, const std::u16string& styleName,
                                   ICellWriteContext& context) {
  WriteODSCellStart(writer, styleName);
  if (WriteODSError(writer, context)) return WriteODSCellEnd(writer, context);
  if (HasValue && FileValue() < 0) {
    writer.WriteAttribute("office:value-type", "string");
    WriteODSText(writer, GetDisplayText(), std::u16string(), nullptr, context);
  } else if (HasValue) {
    // The stored value as it is: a date keeps its time, a time its days, midnight is a value.
    writer.WriteAttribute("office:value-type", GetODSValueType());
    switch (GetKind()) {
      case TDateTimeKind::Date:
        writer.WriteAttribute("office:date-value", Value == std::trunc(Value)
                                                       ? OFormat::ISODateToStr(Value)
                                                       : OFormat::ISODateTimeToStr(Value));
        break;
      case TDateTimeKind::Time:
        writer.WriteAttribute("office:time-value", OFormat::ISOTimeToDuration(GetKindValue()));
        break;
      default:
        writer.WriteAttribute("office:date-value", OFormat::ISODateTimeToStr(Value));
        break;
    }
  }
  WriteODSCellEnd(writer, context);
}

void TExportCellBoolean::WriteODS(TXmlWriter& writer, const std::u16string& styleName,
                                  ICellWriteContext& context) {
  WriteODSCellStart(writer, styleName);
  if (WriteODSError(writer, context)) return WriteODSCellEnd(writer, context);
  if (HasValue) {
    writer.WriteAttribute("office:value-type", "boolean");
    writer.WriteAttribute("office:boolean-value", GetBoolean() ? "true" : "false");
  }
  WriteODSCellEnd(writer, context);
}

}  // namespace workbook
