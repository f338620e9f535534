// XLSX "c" elements of the cell classes.

#include "platform/float_text.h"
#include "workbook/core/cell_refs.h"
#include "workbook/core/formula_text.h"
#include "workbook/formats/cell_write_context.h"
#include "workbook/formats/xlsx/xlsx_sheet_data_writer.h"
#include "workbook/formats/xlsx/xlsx_xml_text.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_class_visit.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_empty.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/drawing.h"
#include "workbook/model/limits.h"

namespace workbook {

namespace {

// The "is" element of an inline string.
void WriteInlineString(TXLSXSheetDataWriter& writer, std::u16string_view text) {
  const TXLSXElementText element = XLSXElementText(text);
  writer.StartElement("is");
  writer.StartElement("t");
  if (element.PreserveSpace) writer.WriteAttribute("xml:space", "preserve");
  writer.WriteString(element.Text);
  writer.EndElement();
  writer.EndElement();
}

}  // namespace

void TExportCell::WriteXLSX(TXLSXSheetDataWriter& writer, const std::u16string& ref, int styleIndex,
                            ICellWriteContext& context) {
  VisitCellClass(CellClass(), [&]<class C>(std::type_identity<C>) {
    static_cast<C&>(*this).WriteXLSX(writer, ref, styleIndex, context);
  });
}

void TExportCell::WriteXLSXCellStart(TXLSXSheetDataWriter& writer, const std::u16string& ref,
                                     int styleIndex, ICellWriteContext& context) {
  Calculate();
  writer.StartElement("c");
  writer.WriteAttribute("r", ref);
  writer.WriteAttribute("s", std::int64_t{styleIndex});
  ReportXLSXAttachments(context);
}

void TExportCell::WriteXLSXFormula(TXLSXSheetDataWriter& writer, const std::u16string& ref,
                                   ICellWriteContext& context) {
  if (!HasFormula()) return;
  writer.WriteElementString("f", FormulaToXLSX(GetFormula()));
  context.AddCalcChainItem(ref);
}

void TExportCellEmpty::WriteXLSX(TXLSXSheetDataWriter& writer, const std::u16string& ref,
                                 int styleIndex, ICellWriteContext& context) {
  WriteXLSXCellStart(writer, ref, styleIndex, context);
  WriteXLSXFormula(writer, ref, context);
  writer.EndElement();
}

void TExportCellString::WriteXLSX(TXLSXSheetDataWriter& writer, const std::u16string& ref,
                                  int styleIndex, ICellWriteContext& context) {
  WriteXLSXCellStart(writer, ref, styleIndex, context);
  if (!value_.empty()) {
    if (SharedString() || HasRichText()) {
      writer.WriteAttribute("t", "s");
      WriteXLSXFormula(writer, ref, context);
      writer.WriteElementString("v", std::to_string(context.SharedStringIndex(*this)));
    } else {
      writer.WriteAttribute("t", "inlineStr");
      WriteXLSXFormula(writer, ref, context);
      WriteInlineString(writer, context.CellText(value_));
    }
  } else if (HasFormula()) {
    // The formula's result is an empty text, not a number waiting to be calculated.
    writer.WriteAttribute("t", "str");
    WriteXLSXFormula(writer, ref, context);
    writer.WriteElementString("v", "");
  }
  writer.EndElement();
  if (HasHyperlink()) {
    context.AddHyperlink(
        MakeCellRangeRef(GetColIndex(), GetRowIndex(), ColSpanWithin(kMaxSheetCols), false,
                         RowSpanWithin(kMaxSheetRows)),
        GetHyperlink());
  }
}

bool TExportCellCustomNumber::WriteXLSXError(TXLSXSheetDataWriter& writer,
                                             const std::u16string& ref,
                                             ICellWriteContext& context) {
  std::uint8_t code;
  if (!GetErrorValue(code)) return false;
  // Readers that do not calculate show the error, where a number would pass for the result.
  writer.WriteAttribute("t", "e");
  WriteXLSXFormula(writer, ref, context);
  writer.WriteElementString("v", TExportCellBoolean::ErrorText(code));
  writer.EndElement();
  return true;
}

void TExportCellCustomNumber::WriteXLSX(TXLSXSheetDataWriter& writer, const std::u16string& ref,
                                        int styleIndex, ICellWriteContext& context) {
  WriteXLSXCellStart(writer, ref, styleIndex, context);
  if (WriteXLSXError(writer, ref, context)) return;
  const double value = FileValue();
  WriteXLSXFormula(writer, ref, context);
  // A formula's result goes with it, 0 too: readers that do not calculate show what is written.
  if (HasValue && (HasFormula() || !IsBlankZero()))
    writer.WriteElementString("v", platform::FloatToStrRoundTrip(value));
  writer.EndElement();
}

void TExportCellDateTime::WriteXLSX(TXLSXSheetDataWriter& writer, const std::u16string& ref,
                                    int styleIndex, ICellWriteContext& context) {
  WriteXLSXCellStart(writer, ref, styleIndex, context);
  if (WriteXLSXError(writer, ref, context)) return;
  double value = FileValue();
  if (HasValue && value < 0) {
    // Before the file's first day: only a text can keep it.
    writer.WriteAttribute("t", "inlineStr");
    WriteXLSXFormula(writer, ref, context);
    WriteInlineString(writer, GetDisplayText());
  } else {
    WriteXLSXFormula(writer, ref, context);
    // The stored serial as it is: a date keeps its time, a time its days, midnight is 0.
    if (HasValue) writer.WriteElementString("v", platform::FloatToStrRoundTrip(value));
  }
  writer.EndElement();
}

void TExportCellBoolean::WriteXLSX(TXLSXSheetDataWriter& writer, const std::u16string& ref,
                                   int styleIndex, ICellWriteContext& context) {
  WriteXLSXCellStart(writer, ref, styleIndex, context);
  if (WriteXLSXError(writer, ref, context)) return;
  writer.WriteAttribute("t", "b");
  WriteXLSXFormula(writer, ref, context);
  if (HasValue) writer.WriteElementString("v", GetBoolean() ? "1" : "0");
  writer.EndElement();
}

void TExportCell::ReportXLSXAttachments(ICellWriteContext& context) {
  if (TExportConditionalFormatting* formatting = ConditionalFormattingIfAny())
    if (formatting->Count() > 0) context.AddConditionalFormatting(*formatting);
  if (TExportCellDrawings* drawings = DrawingsIfAny())
    for (int i = 0; i < drawings->Count(); ++i) context.AddDrawing(*drawings->GetItem(i));
  if (HasComment()) context.AddComment(*CommentIfAny());
}

}  // namespace workbook
