#include <algorithm>
#include <string>
#include <string_view>

#include "workbook/core/exceptions.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/text/field_stops.h"
#include "workbook/formats/text/recent_texts.h"
#include "workbook/formats/text/text_exporter.h"
#include "workbook/formats/text/text_reader.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/limits.h"
#include "workbook/model/text_buffer.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

// Progress is reported after this many cells, so the display never slows down a large file.
constexpr long long kCellsPerProgress = 10000;
// Number cells made from text show the number as it is, with no fixed decimals.
constexpr std::uint8_t kGeneralDecimals = 255;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsLineBreak(char16_t c) { return c == u'\r' || c == u'\n' || c == u'\u2028'; }
// What a number read in the invariant format can start with; other fields are not tried.
bool MayStartNumber(char16_t c) {
  return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.' || c == u',';
}

// One import: the parser's state over a reader and the sheet it fills.
class TTextImport {
 public:
  TTextImport(TExporterText& exporter, TTextReader& reader, TWorkbook& workbook,
              TExportWorkSheet& sheet)
      : exporter_(exporter),
        reader_(reader),
        workbook_(workbook),
        sheet_(sheet),
        maxRows_(std::min(exporter.GetMaxRowCount(), kMaxSheetRows)),
        maxCols_(std::min(exporter.GetMaxColCount(), kMaxSheetCols)) {
    if (exporter.Separator) unquotedStops_.Add(exporter.Separator);
    for (char16_t c : exporter.ImportSeparators)
      if (c) unquotedStops_.Add(c);
    for (char16_t c : {u'\r', u'\n', u'\u2028'}) unquotedStops_.Add(c);
    for (char16_t c : {exporter.QuoteChar, u'\r', u'\n'}) quotedStops_.Add(c);
  }

  void Run() {
    char16_t c;
    while (reader_.Read(c)) {
      if (exporter_.CommentChar && c == exporter_.CommentChar) {
        SkipLine();
        continue;
      }
      reader_.StepBack();
      StartRow();
      ReadLine();
    }
    FinishRow();
    sheet_.DeleteTrailingEmptyRows();
  }

 private:
  bool EndsField(char16_t c) const {
    return (exporter_.Separator && c == exporter_.Separator) ||
           (c && exporter_.ImportSeparators.find(c) != std::u16string::npos);
  }

  // After a CR, an LF belongs to the same line break.
  void PassLineFeedAfter(char16_t c) {
    char16_t next;
    if (c == u'\r' && reader_.Read(next) && next != u'\n') reader_.StepBack();
  }

  void SkipLine() {
    char16_t c;
    while (reader_.Read(c)) {
      if (IsLineBreak(c)) {
        PassLineFeedAfter(c);
        return;
      }
    }
  }

  void FinishRow() {
    if (!row_) return;
    row_->DeleteTrailingEmptyCells();
    workbook_.DoAfterRowRead(sheet_, *row_);
  }

  void StartRow() {
    FinishRow();
    if (sheet_.Rows.Count() >= maxRows_)
      throw EWorkbookFileException(u"The file has more rows than a worksheet can hold (" +
                                   ISOIntToStr(maxRows_) + u").");
    row_ = sheet_.AddRow();
    if (cellsSinceReport_ > kCellsPerProgress) {
      workbook_.DoProgress(wpsRows, reader_.Position() / 1024, reader_.Size() / 1024,
                           std::u16string());
      cellsSinceReport_ = 0;
    }
  }

  // The fields of one line, up to and including its line break.
  void ReadLine() {
    for (;;) {
      field_.clear();
      quoted_ = false;
      char16_t c;
      bool more = reader_.Read(c);
      if (exporter_.TrimValues)
        while (more && IsBlank(c) && !EndsField(c)) more = reader_.Read(c);
      if (!more) return;  // as at a line break: an empty last field adds no cell
      if (exporter_.QuoteChar && c == exporter_.QuoteChar) {
        if (!ReadQuoted()) return;
      } else {
        reader_.StepBack();
      }
      // The unquoted field, or what follows a closing quote, up to a separator or a line break.
      CopyRun(unquotedStops_);
      if (!reader_.Read(c)) {
        StoreAtLineEnd();
        return;
      }
      if (!EndsField(c)) {
        PassLineFeedAfter(c);
        StoreAtLineEnd();
        return;
      }
      StoreField();
    }
  }

  // The text after an opening quote, up to the closing one; a doubled quote stands for one, and
  // LF, CR and CR LF all become CR LF. False when the stream ends inside the field, which is then
  // stored with all that was read.
  bool ReadQuoted() {
    quoted_ = true;
    const char16_t quote = exporter_.QuoteChar;
    char16_t c;
    for (;;) {
      CopyRun(quotedStops_);
      if (!reader_.Read(c)) break;
      if (c == u'\r' || c == u'\n') {
        field_.push_back(u'\r');
        field_.push_back(u'\n');
        PassLineFeedAfter(c);
        continue;
      }
      // The run stopped at a quote.
      const bool more = reader_.Read(c);
      if (more && c == quote) {
        field_.push_back(quote);
        continue;
      }
      if (more) reader_.StepBack();
      quotedLength_ = field_.size();
      return true;
    }
    quotedLength_ = field_.size();
    StoreField();
    return false;
  }

  // Moves the characters up to the next stop (or the end of the text) into the field at once.
  void CopyRun(const TFieldStops& stops) {
    for (;;) {
      const std::u16string_view ahead = reader_.Ahead();
      const std::size_t run = stops.Span(ahead);
      field_.append(ahead.substr(0, run));
      reader_.Skip(run);
      if (run < ahead.size() || ahead.empty()) return;
    }
  }

  // At a line break or the end of the text a field is stored unless nothing was read for it, so
  // a separator that ends a line adds no cell.
  void StoreAtLineEnd() {
    if (quoted_ || !field_.empty()) StoreField();
  }

  void StoreField() {
    if (exporter_.TrimValues) {
      // Blanks are trimmed from unquoted text only, never from inside the quotes.
      const std::size_t keep = quoted_ ? quotedLength_ : 0;
      while (field_.size() > keep && IsBlank(field_.back())) field_.pop_back();
    }
    const int column = row_->Cells.Count();
    if (column >= maxCols_)
      throw EWorkbookFileException(u"Row " + ISOIntToStr(row_->GetIndex() + 1) +
                                   u" of the file has more columns than a worksheet can hold (" +
                                   ISOIntToStr(maxCols_) + u").");
    double number = 0;
    if (field_.empty()) {
      row_->AddCellEmpty();
    } else if (exporter_.DetectNumbers && MayStartNumber(field_.front()) &&
               !IsBlank(field_.back()) && ISOTryStrToFloat(field_.View(), number)) {
      row_->AddCellNumber(number, kGeneralDecimals);
    } else {
      auto* cell = static_cast<TExportCellString*>(row_->AddCell(TCellClass::String));
      // The cell takes the field's text as it was built: a huge field is never copied.
      if (TRecentTexts::Kept(field_.size(), column))
        cell->SetValueShared(recentTexts_.Take(field_, column));
      else
        cell->SetValueShared(field_.Take(&workbook_.CellBlocks));
    }
    field_.clear();
    ++cellsSinceReport_;
  }

  TExporterText& exporter_;
  TTextReader& reader_;
  TWorkbook& workbook_;
  TExportWorkSheet& sheet_;
  const int maxRows_;
  const int maxCols_;
  TExportRow* row_ = nullptr;
  // A field's text; most fields fit the first room.
  TTextBuffer field_{1024};
  TFieldStops unquotedStops_;
  TFieldStops quotedStops_;
  TRecentTexts recentTexts_{&workbook_.CellBlocks};
  bool quoted_ = false;
  std::size_t quotedLength_ = 0;
  long long cellsSinceReport_ = 0;
};

}  // namespace

void TExporterText::ImportFromStream(TStream& stream, TWorkbook& workbook) {
  TCustomExporter::ImportFromStream(stream, workbook);
  workbook.DoProgress(wpsStart, 0, 1, WorkbookLng_Import);
  workbook.DoProgress(wpsLoading, 0, 1, std::u16string());
  workbook.DoProgress(wpsWorkSheet, 0, 1, std::u16string());
  TTextReader reader(stream, 16384, Encoding());
  TExportWorkSheet& sheet = *workbook.AddWorkSheet(std::u16string(), -1);
  bool read = true;
  workbook.DoBeforeWorkSheetRead(sheet, read);
  if (!read) return;
  TTextImport(*this, reader, workbook, sheet).Run();
  workbook.DoProgress(wpsRows, reader.Size() / 1024, reader.Size() / 1024, std::u16string());
  workbook.DoProgress(wpsWorkSheet, 1, 1, std::u16string());
  workbook.DoProgress(wpsDone, 1, 1, std::u16string());
}

}  // namespace workbook
