#include "workbook/formats/xlsx/xlsx_sheet_reader.h"

#include <charconv>

#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/formula_text.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/library_texts.h"
#include "workbook/core/units.h"
#include "workbook/core/xml/xml_reader.h"
#include "workbook/formats/xlsx/xlsx_namespaces.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/limits.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

bool IsMain(const TXmlReader& reader, std::string_view localName) {
  return reader.NodeType() == TXmlNodeType::Element && reader.LocalName() == localName &&
         IsXLSXMainNS(reader.NamespaceURI());
}

[[noreturn]] void InvalidContent(const std::u16string& detail) {
  throw EWorkbookFileException(WorkbookLng_InvalidXLSX + u"\r\n\r\n" + detail);
}

// A whole number of the file; false for anything else (blanks around are allowed).
bool ParseInt(std::string_view text, std::int64_t& value) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool ParseNumber(std::string_view text, double& value) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc() && end == text.data() + text.size()) return true;
  return ISOTryStrToFloat(platform::Utf8ToUtf16(std::string(text)), value);
}

// The column of a cell reference's letters ("D3" gives 3); -1 without letters, and a number past
// every sheet's last column for more than three letters.
int ColumnOfRef(std::string_view ref) {
  int col = 0;
  int letters = 0;
  for (char c : ref) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - ('a' - 'A'));
    if (c < 'A' || c > 'Z') {
      if (c >= '0' && c <= '9') break;
      continue;
    }
    if (++letters > 3) return kMaxSheetCols;
    col = col * 26 + (c - 'A' + 1);
  }
  return letters == 0 ? -1 : col - 1;
}

// Inline and formula strings have LF between lines.
std::u16string WithLF(std::u16string text) {
  if (text.find(u'\r') == std::u16string::npos) return text;
  std::u16string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r') {
      if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      result += u'\n';
    } else {
      result += text[i];
    }
  }
  return result;
}

// An ISO 8601 date, date and time, or time of day ("2021-01-01", "2021-01-01T10:10:10",
// "10:10:10").
bool ReadISODate(std::string_view text, TDateTime& value) {
  const std::u16string wide = platform::Utf8ToUtf16(std::string(text));
  if (wide.size() >= 8 && wide[2] == u':' && wide[5] == u':') {
    value = ISOStrToTime(wide);
    return value != 0 || wide.substr(0, 8) == u"00:00:00";
  }
  return ISOTryStrToDateTime(wide, value);
}

// The text content of the element the reader stands on, appended to Text.
void ReadElementText(TXmlReader& reader, std::string& text) {
  if (reader.IsEmptyElement()) return;
  const int depth = reader.Depth();
  while (reader.Read() && reader.Depth() > depth) {
    const TXmlNodeType type = reader.NodeType();
    if (type == TXmlNodeType::Text || type == TXmlNodeType::Whitespace) text += reader.Value();
  }
}

}  // namespace

TXLSXSheetReader::TXLSXSheetReader(TWorkbook& workbook, TExporterXLSX_StyleSheet& styleSheet,
                                   const TXLSXSharedStrings_Import& sharedStrings,
                                   const TXLSXColorSources& colors)
    : workbook_(workbook),
      styleSheet_(styleSheet),
      sharedStrings_(sharedStrings),
      colors_(colors) {}

void TXLSXSheetReader::Read(TStream& part, TExportWorkSheet& sheet) {
  sharedFormulas_.clear();
  partSize_ = part.Size() - part.Position();
  TXmlReader reader(part);
  while (reader.Read() && reader.NodeType() != TXmlNodeType::Element) {
  }
  if (reader.NodeType() != TXmlNodeType::Element || reader.LocalName() != "worksheet") return;
  const int rootDepth = reader.Depth();
  while (reader.NextChildElement(rootDepth)) {
    if (IsMain(reader, "sheetFormatPr")) {
      ReadSheetFormat(reader, sheet);
    } else if (IsMain(reader, "sheetData")) {
      ReadSheetData(reader, sheet);
      // What follows the cells (merges, links, page setup ...) is not read yet.
      return;
    }
  }
}

void TXLSXSheetReader::ReadSheetFormat(TXmlReader& reader, TExportWorkSheet& sheet) {
  if (!XMLStrToBoolDef(reader.Attr16("customHeight"), false)) return;
  double height = 0;
  if (ParseNumber(reader.Attr("defaultRowHeight"), height) && height > 0 && height < 1e6)
    sheet.Rows.DefaultRowHeight = height / 0.75;
}

void TXLSXSheetReader::ReadSheetData(TXmlReader& reader, TExportWorkSheet& sheet) {
  workbook_.DoProgress(wpsRows, 0, partSize_ / 1024, u"");
  const int depth = reader.Depth();
  while (reader.NextChildElement(depth)) {
    if (!IsMain(reader, "row")) continue;
    TExportRow& row = ReadRowStart(reader, sheet);
    const int rowIndex = row.GetIndex();
    if (!reader.IsEmptyElement()) {
      const int rowDepth = reader.Depth();
      while (reader.NextChildElement(rowDepth))
        if (IsMain(reader, "c")) ReadCell(reader, row, rowIndex);
    }
    workbook_.DoAfterRowRead(sheet, row);
    if (cellsSinceReport_ > 10000) {
      cellsSinceReport_ = 1;
      workbook_.DoProgress(wpsRows, reader.BytesConsumed() / 1024, partSize_ / 1024, u"");
    }
  }
  workbook_.DoProgress(wpsRows, 1, 1, u"");
}

TExportRow& TXLSXSheetReader::ReadRowStart(TXmlReader& reader, TExportWorkSheet& sheet) {
  std::int64_t number = 0;
  TExportRow* row;
  if (ParseInt(reader.Attr("r"), number) && number > 0) {
    if (number > kMaxSheetRows)
      InvalidContent(u"Row " + ISOFloatToStr(static_cast<double>(number)) +
                     u" lies beyond the last row of a worksheet.");
    row = sheet.GetRow(static_cast<int>(number - 1));
  } else {
    if (sheet.Rows.Count() >= kMaxSheetRows)
      InvalidContent(u"The worksheet has more rows than a worksheet can hold.");
    row = sheet.AddRow();
  }
  if (XMLStrToBoolDef(reader.Attr16("customHeight"), false)) {
    double height = 0;
    if (ParseNumber(reader.Attr("ht"), height) && height >= 0 && height < 1e6)
      row->SetHeight(height / 0.75);
  } else {
    row->SetHeightMode(1);
  }
  row->Hidden = XMLStrToBoolDef(reader.Attr16("hidden"), false);
  std::int64_t value = 0;
  if (ParseInt(reader.Attr("outlineLevel"), value) && value > 0)
    row->SetOutlineLevel(static_cast<std::uint8_t>(std::min<std::int64_t>(value, 7)));
  if (ParseInt(reader.Attr("s"), value) && value >= 0 && value < styleSheet_.StyleCount())
    styleSheet_.ApplyStyle(static_cast<int>(value), row->GetStyle(), nullptr);
  return *row;
}

void TXLSXSheetReader::ReadCell(TXmlReader& reader, TExportRow& row, int rowIndex) {
  ++cellsSinceReport_;
  int col = reader.FindAttr("r") ? ColumnOfRef(reader.Attr("r")) : -1;
  if (col < 0) col = row.Cells.Count();
  if (col >= kMaxSheetCols)
    InvalidContent(u"Cell " + platform::Utf8ToUtf16(std::string(reader.Attr("r"))) +
                   u" lies beyond the last column of a worksheet.");

  const std::string_view type = reader.Attr("t");
  TValueType valueType = TValueType::Number;
  if (type == "s")
    valueType = TValueType::SharedString;
  else if (type == "inlineStr")
    valueType = TValueType::InlineString;
  else if (type == "str")
    valueType = TValueType::String;
  else if (type == "b")
    valueType = TValueType::Boolean;
  else if (type == "e")
    valueType = TValueType::Error;
  else if (type == "d")
    valueType = TValueType::Date;
  std::int64_t xf = 0;
  if (!ParseInt(reader.Attr("s"), xf) || xf < 0 || xf > INT32_MAX) xf = 0;

  value_.clear();
  formula_.clear();
  bool hasValue = false;
  bool sharedFormula = false;
  std::int64_t sharedIndex = -1;
  std::u16string inlineText;
  bool hasInline = false;
  if (!reader.IsEmptyElement()) {
    const int cellDepth = reader.Depth();
    while (reader.NextChildElement(cellDepth)) {
      if (IsMain(reader, "v")) {
        hasValue = true;
        ReadElementText(reader, value_);
      } else if (IsMain(reader, "f")) {
        sharedFormula = reader.Attr("t") == "shared";
        if (!ParseInt(reader.Attr("si"), sharedIndex)) sharedIndex = -1;
        ReadElementText(reader, formula_);
      } else if (IsMain(reader, "is")) {
        hasInline = true;
        ReadXLSXRichString(reader, colors_, inlineText, nullptr);
      }
    }
  }

  TExportCell* cell = nullptr;
  switch (valueType) {
    case TValueType::SharedString: {
      auto* text =
          static_cast<TExportCellString*>(row.FindCreateCell(col, TCellClass::String, true));
      std::int64_t index = -1;
      if (hasValue && ParseInt(value_, index) && index >= 0 &&
          static_cast<std::uint64_t>(index) < sharedStrings_.Count())
        text->SetValue(sharedStrings_.GetString(static_cast<std::size_t>(index)));
      cell = text;
      break;
    }
    case TValueType::InlineString:
    case TValueType::String: {
      auto* text =
          static_cast<TExportCellString*>(row.FindCreateCell(col, TCellClass::String, true));
      if (!hasInline || (inlineText.empty() && hasValue))
        inlineText = platform::Utf8ToUtf16(value_);
      text->SetValue(WithLF(std::move(inlineText)));
      cell = text;
      break;
    }
    case TValueType::Boolean: {
      auto* flag =
          static_cast<TExportCellBoolean*>(row.FindCreateCell(col, TCellClass::Boolean, true));
      double number = 0;
      if (hasValue && ParseNumber(value_, number)) flag->ReadValue(number);
      cell = flag;
      break;
    }
    case TValueType::Error: {
      // An error value (#N/A, #DIV/0! ...) is no amount and no truth value: its text is empty.
      auto* error =
          static_cast<TExportCellBoolean*>(row.FindCreateCell(col, TCellClass::Boolean, true));
      error->IsErrorValue = true;
      cell = error;
      break;
    }
    case TValueType::Date: {
      TDateTime date = 0;
      if (hasValue && ReadISODate(value_, date)) {
        TCellClass cellClass = styleSheet_.GetCellClass(static_cast<int>(xf));
        if (cellClass != TCellClass::Time) cellClass = TCellClass::DateTime;
        auto* stamp =
            static_cast<TExportCellCustomNumber*>(row.FindCreateCell(col, cellClass, true));
        stamp->SetValue(date);
        cell = stamp;
      }
      break;
    }
    case TValueType::Number: {
      double number = 0;
      if (hasValue && ParseNumber(value_, number)) {
        auto* numeric = static_cast<TExportCellCustomNumber*>(
            row.FindCreateCell(col, styleSheet_.GetCellClass(static_cast<int>(xf)), true));
        numeric->ReadValue(number);
        cell = numeric;
      }
      break;
    }
  }
  if (cell == nullptr) cell = row.FindCreateCell(col, TCellClass::Empty, true);

  if (xf != 0)
    styleSheet_.ApplyStyle(static_cast<int>(xf), cell->GetStyle(), cell);
  else
    styleSheet_.ApplyNumberFormat(0, *cell);

  if (!formula_.empty()) {
    std::u16string formula = platform::Utf8ToUtf16(formula_);
    if (sharedFormula && sharedIndex >= 0)
      sharedFormulas_[sharedIndex] = TSharedFormula{formula, col, rowIndex};
    cell->SetFormula(formula);
  } else if (sharedFormula && sharedIndex >= 0) {
    auto master = sharedFormulas_.find(sharedIndex);
    if (master != sharedFormulas_.end())
      cell->SetFormula(OffsetFormulaRefs(master->second.Formula, col - master->second.Col,
                                         rowIndex - master->second.Row));
  }
}

}  // namespace workbook
