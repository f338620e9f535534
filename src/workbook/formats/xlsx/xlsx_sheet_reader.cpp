#include "workbook/formats/xlsx/xlsx_sheet_reader.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/formula_text.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/library_texts.h"
#include "workbook/core/units.h"
#include "workbook/formats/xlsx/xlsx_date_value.h"
#include "workbook/formats/xlsx/xlsx_escapes.h"
#include "workbook/formats/xlsx/xlsx_namespaces.h"
#include "workbook/formats/xlsx/xlsx_shared_strings.h"
#include "workbook/formats/xlsx/xlsx_sheet_elements.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/limits.h"
#include "workbook/model/rich_text.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

[[noreturn]] void InvalidContent(const std::u16string& detail) {
  throw EWorkbookFileException(WorkbookLng_InvalidXLSX + u"\r\n\r\n" + detail);
}

// A whole number of the file, clamped to 64 bits; false for anything else (blanks around are
// allowed).
bool ParseInt(std::string_view text, std::int64_t& value) {
  // Plain digits, the form nearly every number here takes, need none of the rules below.
  if (!text.empty() && text.size() <= 18) {
    std::int64_t plain = 0;
    std::size_t i = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
      plain = plain * 10 + (text[i++] - '0');
    if (i == text.size()) {
      value = plain;
      return true;
    }
  }
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (end != text.data() + text.size() || text.empty()) return false;
  // A number too long for 64 bits is still a number: a huge one.
  if (error == std::errc::result_out_of_range) value = text.front() == '-' ? INT64_MIN : INT64_MAX;
  return error == std::errc() || error == std::errc::result_out_of_range;
}

// The plain decimals cells hold nearly always (an optional "-", at most 15 digits with or without
// a fraction, no exponent): one exact integer divided by an exact power of ten, which IEEE
// division rounds correctly, so the result is the one from_chars gives. False for any other text.
bool ParsePlainDecimal(std::string_view text, double& value) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const char* p = text.data();
  const char* end = p + text.size();
  const bool negative = p < end && *p == '-';
  if (negative) ++p;
  std::uint64_t mantissa = 0;
  // The digits from p on into mantissa (one compare a digit).
  auto readDigits = [&] {
    for (unsigned digit; p < end && (digit = static_cast<unsigned char>(*p) - 48u) <= 9; ++p)
      mantissa = mantissa * 10 + digit;
  };
  const char* digitsStart = p;
  readDigits();
  std::size_t digits = static_cast<std::size_t>(p - digitsStart);
  std::size_t fraction = 0;
  if (digits == 0) return false;
  if (p < end && *p == '.') {
    const char* fractionStart = ++p;
    readDigits();
    fraction = static_cast<std::size_t>(p - fractionStart);
    if (fraction == 0) return false;
    digits += fraction;
  }
  if (p != end || digits > 15) return false;
  value = static_cast<double>(mantissa) / kPowers[fraction];
  if (negative) value = -value;
  return true;
}

bool ParseNumber(std::string_view text, double& value) {
  if (ParsePlainDecimal(text, value)) return true;
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

}  // namespace

TXLSXSheetReader::TXLSXSheetReader(TWorkbook& workbook, TExporterXLSX_StyleSheet& styleSheet,
                                   TXLSXSharedStrings_Import& sharedStrings,
                                   const TXLSXColorSources& colors)
    : workbook_(workbook),
      styleSheet_(styleSheet),
      sharedStrings_(sharedStrings),
      inline_(colors) {}

void TXLSXSheetReader::Begin(TExportWorkSheet& sheet, std::int64_t partSize,
                             TXLSXSheetElements* elements) {
  sheet_ = &sheet;
  elements_ = elements;
  tree_.Reset();
  treeDepth_ = 0;
  row_ = nullptr;
  sharedFormulas_.clear();
  partSize_ = partSize;
  cellsSinceReport_ = 0;
  depth_ = sheetDataDepth_ = rowDepth_ = cellDepth_ = inlineDepth_ = 0;
  sheetDataDone_ = false;
  capture_ = nullptr;
  parser_ = std::make_unique<TXmlScanningParser>(*this, "sheetData", IsXLSXMainNS, 2);
}

void TXLSXSheetReader::Finish() {
  parser_->Finish();
  parser_.reset();
  if (sheetDataDepth_ != 0 || sheetDataDone_) workbook_.DoProgress(wpsRows, 1, 1, u"");
}

void TXLSXSheetReader::StartElement(std::string_view localName, std::string_view namespaceURI,
                                    const TXmlSaxAttributes& attributes) {
  ++depth_;
  if (treeDepth_ != 0) {
    tree_.StartElement(localName, attributes);
    return;
  }
  if (depth_ == 2 && elements_ != nullptr && IsXLSXMainNS(namespaceURI) &&
      TXLSXSheetElements::IsRead(localName) && !(sheetDataDone_ && workbook_.ReadRowsByEvent)) {
    treeDepth_ = depth_;
    treeIsList_ = TXLSXSheetElements::IsList(localName);
    tree_.StartElement(localName, attributes);
    return;
  }
  if (inlineDepth_ != 0) {
    inline_.StartElement(localName, namespaceURI, attributes);
    return;
  }
  if (sheetDataDone_ || !IsXLSXMainNS(namespaceURI)) return;
  if (cellDepth_ != 0) {
    if (depth_ == cellDepth_ + 1) {
      if (localName == "v") {
        cell_.HasValue = true;
        Capture(&cell_.Value);
      } else if (localName == "f") {
        cell_.SharedFormula = attributes.Get("t") == "shared";
        if (!ParseInt(attributes.Get("si"), cell_.SharedIndex)) cell_.SharedIndex = -1;
        Capture(&cell_.Formula);
      } else if (localName == "is") {
        cell_.HasInline = true;
        inlineDepth_ = depth_;
        inline_.Begin();
      }
    }
  } else if (rowDepth_ != 0) {
    if (depth_ == rowDepth_ + 1 && localName == "c") StartCell(attributes);
  } else if (sheetDataDepth_ != 0) {
    if (depth_ == sheetDataDepth_ + 1 && localName == "row") StartRow(attributes);
  } else if (depth_ == 2 && localName == "sheetData") {
    sheetDataDepth_ = depth_;
    workbook_.DoProgress(wpsRows, 0, partSize_ / 1024, u"");
  }
}

void TXLSXSheetReader::EndElement(std::string_view, std::string_view) {
  if (treeDepth_ != 0) {
    tree_.EndElement();
    const int ended = depth_--;
    if (ended == treeDepth_) {
      treeDepth_ = 0;
      elements_->Read(tree_.Root());
      tree_.Reset();
    } else if (ended == treeDepth_ + 1 && treeIsList_) {
      // A list's item is read as soon as it ends and then dropped, as the rows are: a list of
      // millions of merges or links never stands as one tree.
      const TXmlNode list = tree_.Root();
      elements_->Read(list);
      while (const TXmlNode item = list.FirstChild()) item.Remove();
    }
    return;
  }
  if (capture_ != nullptr && depth_ == captureDepth_) capture_ = nullptr;
  if (depth_ == inlineDepth_) {
    inlineDepth_ = 0;
    inline_.Finish(TXLSXTextForm::CellString, cell_.Inline, cell_.InlineRuns);
  } else if (inlineDepth_ != 0) {
    inline_.EndElement();
  } else if (depth_ == cellDepth_) {
    EndCell();
    cellDepth_ = 0;
  } else if (depth_ == rowDepth_) {
    workbook_.DoAfterRowRead(*sheet_, *row_);
    rowDepth_ = 0;
    if (cellsSinceReport_ > 10000) {
      cellsSinceReport_ = 1;
      workbook_.DoProgress(wpsRows, parser_->BytesConsumed() / 1024, partSize_ / 1024, u"");
    }
  } else if (depth_ == sheetDataDepth_) {
    sheetDataDepth_ = 0;
    sheetDataDone_ = true;
  }
  --depth_;
}

void TXLSXSheetReader::Characters(std::string_view text) {
  if (capture_ != nullptr)
    capture_->append(text);
  else if (inlineDepth_ != 0)
    inline_.Characters(text);
  else if (treeDepth_ != 0 && !(treeIsList_ && depth_ == treeDepth_))
    tree_.Characters(text);
}

void TXLSXSheetReader::StartRow(const TXmlSaxAttributes& attributes) {
  rowDepth_ = depth_;
  std::int64_t number = 0;
  if (ParseInt(attributes.Get("r"), number) && number > 0) {
    if (number > kMaxSheetRows)
      InvalidContent(u"Row " + ISOFloatToStr(static_cast<double>(number)) +
                     u" lies beyond the last row of a worksheet.");
    row_ = sheet_->GetRow(static_cast<int>(number - 1));
  } else {
    if (sheet_->Rows.Count() >= kMaxSheetRows)
      InvalidContent(u"The worksheet has more rows than a worksheet can hold.");
    row_ = sheet_->AddRow();
  }
  std::string_view value;
  if (attributes.Find("customHeight", value) && !value.empty() &&
      (value.front() == '1' || value.front() == 't' || value.front() == 'T')) {
    double height = 0;
    if (ParseNumber(attributes.Get("ht"), height) && height >= 0 && height < 1e6)
      row_->SetHeight(height / 0.75);
  } else {
    // The height is the program's to measure: written back, the row claims none of its own.
    row_->SetHeightMode(2);
  }
  if (attributes.Find("hidden", value))
    row_->Hidden =
        !value.empty() && (value.front() == '1' || value.front() == 't' || value.front() == 'T');
  std::int64_t number2 = 0;
  if (ParseInt(attributes.Get("outlineLevel"), number2) && number2 > 0)
    row_->SetOutlineLevel(static_cast<std::uint8_t>(std::min<std::int64_t>(number2, 7)));
  if (ParseInt(attributes.Get("s"), number2) && number2 >= 0 && number2 < styleSheet_.StyleCount())
    styleSheet_.ApplyStyle(static_cast<int>(number2), row_->GetStyle(), nullptr);
}

void TXLSXSheetReader::StartCell(const TXmlSaxAttributes& attributes) {
  cellDepth_ = depth_;
  ++cellsSinceReport_;
  // One pass over the attributes: a cell has millions of siblings.
  std::string_view ref;
  std::string_view type;
  std::string_view xf;
  bool hasRef = false;
  for (int i = 0; i < attributes.Count(); ++i) {
    const std::string_view name = attributes.LocalName(i);
    if (name.size() != 1 || !attributes.NamespaceURI(i).empty()) continue;
    if (name[0] == 'r') {
      ref = attributes.Value(i);
      hasRef = true;
    } else if (name[0] == 't') {
      type = attributes.Value(i);
    } else if (name[0] == 's') {
      xf = attributes.Value(i);
    }
  }
  int col = hasRef ? ColumnOfRef(ref) : -1;
  if (col < 0) col = row_->Cells.Count();
  if (col >= kMaxSheetCols)
    InvalidContent(u"Cell " + platform::Utf8ToUtf16(std::string(ref)) +
                   u" lies beyond the last column of a worksheet.");
  cell_.Col = col;
  cell_.Type = TValueType::Number;
  if (type == "s")
    cell_.Type = TValueType::SharedString;
  else if (type == "inlineStr")
    cell_.Type = TValueType::InlineString;
  else if (type == "str")
    cell_.Type = TValueType::String;
  else if (type == "b")
    cell_.Type = TValueType::Boolean;
  else if (type == "e")
    cell_.Type = TValueType::Error;
  else if (type == "d")
    cell_.Type = TValueType::Date;
  if (!ParseInt(xf, cell_.Xf) || cell_.Xf < 0 || cell_.Xf > INT32_MAX) cell_.Xf = 0;
  cell_.HasValue = cell_.HasInline = cell_.SharedFormula = false;
  cell_.SharedIndex = -1;
  cell_.Value.clear();
  cell_.Formula.clear();
  cell_.Inline.clear();
  cell_.InlineRuns.clear();
}

void TXLSXSheetReader::EndCell() {
  TExportRow& row = *row_;
  const int col = cell_.Col;
  const int xf = static_cast<int>(cell_.Xf);
  const std::u16string formula = CellFormula();
  TExportCell* cell = nullptr;
  switch (cell_.Type) {
    case TValueType::SharedString: {
      auto* text =
          static_cast<TExportCellString*>(row.FindCreateCell(col, TCellClass::String, true));
      std::int64_t index = -1;
      if (cell_.HasValue && ParseInt(cell_.Value, index) && index >= 0 &&
          static_cast<std::uint64_t>(index) < sharedStrings_.Count()) {
        const auto item = static_cast<std::size_t>(index);
        text->SetValueShared(sharedStrings_.GetString(item));
        if (const TXLSXRichTextRuns* runs = sharedStrings_.GetRuns(item))
          for (const TXLSXRichTextRun& run : *runs)
            text->GetRichTextTags().AddTag(run.Position, run.Font);
      }
      cell = text;
      break;
    }
    case TValueType::InlineString:
    case TValueType::String: {
      auto* text =
          static_cast<TExportCellString*>(row.FindCreateCell(col, TCellClass::String, true));
      if (!cell_.HasInline || (cell_.Inline.empty() && cell_.HasValue)) {
        text->SetValue(XLSXCellStringText(platform::Utf8ToUtf16(cell_.Value)));
      } else {
        text->SetValue(cell_.Inline);
        for (const TXLSXRichTextRun& run : cell_.InlineRuns)
          text->GetRichTextTags().AddTag(run.Position, run.Font);
      }
      cell = text;
      break;
    }
    case TValueType::Boolean: {
      auto* flag =
          static_cast<TExportCellBoolean*>(row.FindCreateCell(col, TCellClass::Boolean, true));
      double number = 0;
      if (cell_.HasValue && ParseNumber(cell_.Value, number)) flag->ReadValue(number);
      cell = flag;
      break;
    }
    case TValueType::Error: {
      // An error value (#N/A, #DIV/0! ...) is no amount and no truth value: its text is empty.
      auto* error =
          static_cast<TExportCellBoolean*>(row.FindCreateCell(col, TCellClass::Boolean, true));
      error->SetErrorValue(TExportCellBoolean::ErrorCodeOf(
          cell_.HasValue ? platform::Utf8ToUtf16(cell_.Value) : std::u16string()));
      cell = error;
      break;
    }
    case TValueType::Date: {
      TDateTime date = 0;
      bool duration = false;
      if (cell_.HasValue && ReadXLSXDateValue(cell_.Value, date, duration)) {
        // A duration is a length of time, whatever the style says: within a day a time, beyond
        // it a number of days, which a time of day could not show.
        TCellClass cellClass = styleSheet_.GetCellClass(xf);
        if (duration)
          cellClass = std::abs(date) < 1 ? TCellClass::Time : TCellClass::Number;
        else if (cellClass != TCellClass::Time)
          cellClass = TCellClass::DateTime;
        auto* stamp =
            static_cast<TExportCellCustomNumber*>(row.FindCreateCell(col, cellClass, true));
        // The formula's result as the file holds it. An ISO date names its day whatever the
        // workbook's date system: no 1904 shift.
        stamp->TExportCellCustomNumber::ReadValue(date);
        cell = stamp;
      }
      break;
    }
    case TValueType::Number: {
      double number = 0;
      const bool hasNumber = cell_.HasValue && ParseNumber(cell_.Value, number);
      // A formula without a value is still a number cell: it calculates when first asked.
      if (hasNumber || !formula.empty()) {
        auto* numeric = static_cast<TExportCellCustomNumber*>(
            row.FindCreateCell(col, styleSheet_.GetCellClass(xf), true));
        if (hasNumber) numeric->ReadValue(number);
        cell = numeric;
      }
      break;
    }
  }
  if (cell == nullptr) cell = row.FindCreateCell(col, TCellClass::Empty, true);

  styleSheet_.ApplyCellFormat(xf, *cell);

  if (!formula.empty()) cell->ReadFormula(formula);
}

std::u16string TXLSXSheetReader::CellFormula() {
  const int rowIndex = row_->GetIndex();
  if (!cell_.Formula.empty()) {
    std::u16string formula = platform::Utf8ToUtf16(cell_.Formula);
    if (cell_.SharedFormula && cell_.SharedIndex >= 0)
      sharedFormulas_[cell_.SharedIndex] = TSharedFormula{formula, cell_.Col, rowIndex};
    return formula;
  }
  if (!cell_.SharedFormula || cell_.SharedIndex < 0) return std::u16string();
  auto master = sharedFormulas_.find(cell_.SharedIndex);
  if (master == sharedFormulas_.end()) return std::u16string();
  return OffsetFormulaRefs(master->second.Formula, cell_.Col - master->second.Col,
                           rowIndex - master->second.Row);
}

}  // namespace workbook
