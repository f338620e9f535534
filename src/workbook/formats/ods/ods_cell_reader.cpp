#include "workbook/formats/ods/ods_cell_reader.h"

#include "platform/text_codec.h"
#include "workbook/core/formula_text.h"
#include "workbook/formats/ods/ods_cell_values.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/load_budget.h"
#include "workbook/model/row.h"

namespace workbook {

namespace {

// The number styles are not read: a number shows as it is (General), not with fixed decimals.
TExportCell* NewNumberCell(TExportRow& row, int col) {
  TExportCell* cell = row.FindCreateCell(col, TCellClass::Number, true);
  cell->ImportNumberFormat(TNumberFormatRec());
  return cell;
}

}  // namespace

void TODSCellReader::Start(const TXmlSaxAttributes& attributes) {
  type_ = TType::None;
  hasFormula_ = false;
  repeat_ = 1;
  paragraphs_ = 0;
  inParagraph_ = false;
  skipLevel_ = 0;
  text_.clear();
  // The value attribute of each type: the type may come after it.
  std::string_view values[static_cast<int>(TType::Other) + 1];
  const auto valueOf = [&values](TType type) -> std::string_view& {
    return values[static_cast<int>(type)];
  };
  bool error = false;
  for (int i = 0; i < attributes.Count(); ++i) {
    const std::string_view name = attributes.LocalName(i);
    const TODSNamespace ns = ODSNamespaceOf(attributes.NamespaceURI(i));
    if (ns == TODSNamespace::Office) {
      if (name == "value-type") {
        const std::string_view type = attributes.Value(i);
        if (type == "float" || type == "percentage" || type == "currency")
          type_ = TType::Number;
        else if (type == "date")
          type_ = TType::Date;
        else if (type == "time")
          type_ = TType::Time;
        else if (type == "boolean")
          type_ = TType::Boolean;
        else
          type_ = TType::Other;
      } else if (name == "value") {
        valueOf(TType::Number) = attributes.Value(i);
      } else if (name == "date-value") {
        valueOf(TType::Date) = attributes.Value(i);
      } else if (name == "time-value") {
        valueOf(TType::Time) = attributes.Value(i);
      } else if (name == "boolean-value") {
        valueOf(TType::Boolean) = attributes.Value(i);
      }
    } else if (ns == TODSNamespace::Table) {
      if (name == "formula") {
        hasFormula_ = true;
        formula_.assign(attributes.Value(i));
      } else if (name == "number-columns-repeated") {
        repeat_ = ODSRepeatCount(attributes.Value(i));
      }
    } else if (ns == TODSNamespace::CalcExt && name == "value-type") {
      error = attributes.Value(i) == "error";
    }
  }
  value_.assign(valueOf(type_));
  if (error) type_ = TType::Error;
}

// A paragraph's text in document order: text:s gives text:c spaces, text:tab a tab,
// text:line-break CR LF, notes and annotations nothing, other elements (spans, links) their text.
void TODSCellReader::StartElement(std::string_view localName, TODSNamespace ns,
                                  const TXmlSaxAttributes& attributes, int level) {
  if (level == 1) {
    if (ns != TODSNamespace::Text || localName != "p") return;
    // Only a cell without a value of its own shows its paragraphs, joined with CR LF.
    if (type_ != TType::None && type_ != TType::Other && type_ != TType::Error) {
      ++paragraphs_;
      return;
    }
    if (paragraphs_++ > 0) text_ += "\r\n";
    inParagraph_ = true;
    return;
  }
  if (!inParagraph_ || skipLevel_ != 0) return;
  if (ns == TODSNamespace::Text) {
    if (localName == "s") {
      AppendSpaces(static_cast<std::size_t>(
          ODSSpaceCount(ODSAttribute(attributes, TODSNamespace::Text, "c"))));
    } else if (localName == "tab") {
      text_ += '\t';
    } else if (localName == "line-break") {
      text_ += "\r\n";
    } else if (localName != "note") {
      return;
    }
    skipLevel_ = level;
  } else if (ns == TODSNamespace::Office && localName == "annotation") {
    skipLevel_ = level;
  }
}

void TODSCellReader::EndElement(int level) {
  if (level == skipLevel_) skipLevel_ = 0;
  if (level == 1) inParagraph_ = false;
}

void TODSCellReader::Characters(std::string_view text) {
  if (inParagraph_ && skipLevel_ == 0) text_.append(text);
}

void TODSCellReader::AppendSpaces(std::size_t count) {
  // Spaces are the one thing a few bytes of a file multiply: a text of them is refused while it
  // grows beyond the load's budget, not once it is whole. A UTF-8 byte is at most one unit.
  TWorkbookLoadBudget::CheckTextBytes(
      static_cast<std::int64_t>((text_.size() + count) * sizeof(char16_t)));
  text_.append(count, ' ');
}

TExportCell* TODSCellReader::Create(TExportRow& row, int col) {
  TExportCell* cell = nullptr;
  double value = 0;
  switch (type_) {
    case TType::Number:
      cell = NewNumberCell(row, col);
      // Read as the formula's result too: a function the engine lacks keeps it.
      if (ODSReadFloat(value_, value)) static_cast<TExportCellNumber*>(cell)->ReadValue(value);
      break;
    case TType::Date:
    case TType::Time: {
      const bool isDate = type_ == TType::Date;
      auto* stamp = static_cast<TExportCellDateTime*>(
          row.FindCreateCell(col, isDate ? TCellClass::DateTime : TCellClass::Time, true));
      // Read as the formula's result too, and as the day it names: the package has no 1904
      // date system.
      if (isDate ? ODSReadDate(value_, value) : ODSReadTime(value_, value))
        stamp->TExportCellCustomNumber::ReadValue(value);
      cell = stamp;
      break;
    }
    case TType::Boolean: {
      auto* flag =
          static_cast<TExportCellBoolean*>(row.FindCreateCell(col, TCellClass::Boolean, true));
      flag->ReadValue(ODSReadBoolean(value_) ? 1 : 0);
      cell = flag;
      break;
    }
    case TType::Error: {
      auto* error =
          static_cast<TExportCellBoolean*>(row.FindCreateCell(col, TCellClass::Boolean, true));
      text16_.clear();
      platform::AppendUtf8AsUtf16(text_, text16_);
      error->SetErrorValue(TExportCellBoolean::ErrorCodeOf(text16_));
      cell = error;
      break;
    }
    case TType::None:
    case TType::Other:
      if (paragraphs_ > 0) {
        auto* text =
            static_cast<TExportCellString*>(row.FindCreateCell(col, TCellClass::String, true));
        text16_.clear();
        platform::AppendUtf8AsUtf16(text_, text16_);
        if (TRecentTexts::Kept(text16_.size(), col))
          text->SetValueShared(recentTexts_.Take(text16_, col));
        else {
          TPackedText own;
          own.Assign(text16_, &blocks_);
          text->SetValueShared(own);
        }
        cell = text;
      } else if (hasFormula_) {
        // A formula whose value the file leaves out (a zero result, or one left to recalculate)
        // must not go with the trailing empty cells.
        cell = NewNumberCell(row, col);
      } else {
        cell = row.FindCreateCell(col, TCellClass::Empty, true);
      }
      break;
  }
  if (hasFormula_) {
    const std::u16string formula = ODSFormulaToFormula(platform::Utf8ToUtf16(formula_));
    // The format holds an error value as the formula of that error alone: the value is the error.
    if (type_ != TType::Error || formula != u"=" + text16_) cell->ReadFormula(formula);
  }
  return cell;
}

}  // namespace workbook
