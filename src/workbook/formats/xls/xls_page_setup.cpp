// Page setup in BIFF8: page breaks, print options, GUTS, HEADER, FOOTER, centring, margins and
// SETUP.
#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/text_codec.h"
#include "workbook/core/units.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_record_reader.h"
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/formats/xls/xls_strings.h"
#include "workbook/model/page_setup.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

// Spreadsheet programs keep header texts to 255 characters, and BIFF8 sheets to 1026 manual
// breaks each way, 65536 rows and 256 columns.
constexpr std::size_t kMaxHeaderChars = 255;
constexpr std::size_t kMaxBreaks = 1026;
constexpr int kXLSMaxRow = xls_record::kMaxRow;
constexpr int kXLSMaxCol = xls_record::kMaxColumn;

using TBytes = std::vector<std::uint8_t>;

void PutWordRecord(TBytes& data, std::uint16_t id, int value) {
  XLSPutRecordHeader(data, id, 2);
  XLSPutWord(data, value);
}

void PutDoubleRecord(TBytes& data, std::uint16_t id, double value) {
  XLSPutRecordHeader(data, id, 8);
  XLSPutDouble(data, value);
}

void PutBreaks(TBytes& data, std::uint16_t id, const std::vector<int>& breaks) {
  if (breaks.empty()) return;
  XLSPutRecordHeader(data, id, 2 + 6 * breaks.size());
  XLSPutWord(data, static_cast<int>(breaks.size()));
  for (int index : breaks) {
    XLSPutWord(data, index);
    XLSPutWord(data, 0);
    XLSPutWord(data, 0xFFFF);
  }
}

int Word(int value) { return std::clamp(value, 0, 0xFFFF); }

double MarginCm(double inches) {
  return inches == inches ? std::clamp(InchToCm(inches), -100.0, 100.0) : 0.0;
}

}  // namespace

std::vector<std::uint8_t> TExportHeaders::WriteXLS(std::uint16_t recordId) const {
  const std::u16string text =
      platform::WellFormedUtf16(BuildExcelString().substr(0, kMaxHeaderChars));
  TBytes data;
  XLSPutRecordHeader(data, recordId, 3 + 2 * text.size());
  XLSPutWord(data, static_cast<int>(text.size()));
  data.push_back(1);
  for (char16_t c : text) XLSPutWord(data, c);
  return data;
}

void TExportHeaders::ReadXLS(TXLSRecordReader& reader) {
  if (reader.Left() == 0) {
    ParseExcelString(std::u16string());
    return;
  }
  // A damaged text leaves the header as it was.
  if (std::optional<std::u16string> text = XLSTryReadString(reader, TXLSLengthRecord::Word))
    ParseExcelString(*text);
}

std::vector<std::uint8_t> TExportPageSettings::WriteXLS() const {
  TBytes data;
  std::vector<int> rowBreaks, colBreaks;
  int rowLevel = 0, colLevel = 0;
  if (owner_) {
    for (int r = 0; r < owner_->Rows.Count(); ++r) {
      const TExportRow* row = owner_->Rows.PeekItem(r);
      if (!row) continue;
      rowLevel = std::max<int>(rowLevel, row->OutlineLevel);
      if (row->PageBreak && r <= kXLSMaxRow && rowBreaks.size() < kMaxBreaks)
        rowBreaks.push_back(r);
    }
    for (const TExportCol* col : owner_->Cols) {
      colLevel = std::max<int>(colLevel, col->OutlineLevel());
      if (col->PageBreak && col->GetIndex() <= kXLSMaxCol && colBreaks.size() < kMaxBreaks)
        colBreaks.push_back(col->GetIndex());
    }
  }
  PutBreaks(data, xls_record::kHorizontalPageBreaks, rowBreaks);
  PutBreaks(data, xls_record::kVerticalPageBreaks, colBreaks);
  if (PrintHeaders) PutWordRecord(data, xls_record::kPrintHeaders, 1);
  if (PrintGridLines) PutWordRecord(data, xls_record::kPrintGridLines, 1);
  XLSPutRecordHeader(data, xls_record::kGuts, 8);
  XLSPutWord(data, rowLevel ? rowLevel * 14 + 1 : 0);
  XLSPutWord(data, colLevel ? colLevel * 14 + 1 : 0);
  XLSPutWord(data, rowLevel ? rowLevel + 1 : 0);
  XLSPutWord(data, colLevel ? colLevel + 1 : 0);
  const TExportHeaders* header = owner_ ? &owner_->Header : nullptr;
  const TExportHeaders* footer = owner_ ? &owner_->Footer : nullptr;
  if (header && header->HasText()) {
    const TBytes record = header->WriteXLS(xls_record::kHeader);
    data.insert(data.end(), record.begin(), record.end());
  }
  if (footer && footer->HasText()) {
    const TBytes record = footer->WriteXLS(xls_record::kFooter);
    data.insert(data.end(), record.begin(), record.end());
  }
  if (Centering & ctHorizontal) PutWordRecord(data, xls_record::kHCenter, 1);
  if (Centering & ctVertical) PutWordRecord(data, xls_record::kVCenter, 1);
  PutDoubleRecord(data, xls_record::kLeftMargin, CmToInch(LeftMargin));
  PutDoubleRecord(data, xls_record::kRightMargin, CmToInch(RightMargin));
  PutDoubleRecord(data, xls_record::kTopMargin, CmToInch(TopMargin));
  PutDoubleRecord(data, xls_record::kBottomMargin, CmToInch(BottomMargin));
  XLSPutRecordHeader(data, xls_record::kSetup, 34);
  XLSPutWord(data, 9);
  XLSPutWord(data, Word(Scale));
  XLSPutWord(data, UseFirstPageNumber
                       ? Word(FirstPageNumber < 0 ? FirstPageNumber + 65536 : FirstPageNumber)
                       : 0);
  XLSPutWord(data, Word(FitToWidth));
  XLSPutWord(data, Word(FitToHeight));
  int flags = 0;
  if (PageOrder == 0) flags |= 0x01;
  if (Orientation == 0) flags |= 0x02;
  if (UseFirstPageNumber) flags |= 0x80;
  XLSPutWord(data, flags);
  XLSPutWord(data, 0);
  XLSPutWord(data, 0);
  XLSPutDouble(data, CmToInch(TopMargin - (header ? header->Margin : 1.0)));
  XLSPutDouble(data, CmToInch(BottomMargin - (footer ? footer->Margin : 1.0)));
  XLSPutWord(data, 1);
  return data;
}

void TExportPageSettings::ReadXLSSetup(TXLSRecordReader& reader) {
  reader.Skip(2);
  Scale = reader.ReadWord();
  const int first = reader.ReadWord();
  FirstPageNumber = first > 32767 ? first - 65536 : first;
  FitToWidth = reader.ReadWord();
  FitToHeight = reader.ReadWord();
  const std::uint16_t flags = reader.ReadWord();
  PageOrder = (flags & 0x01) ? 0 : 1;
  Orientation = (flags & 0x02) ? 0 : 1;
  UseFirstPageNumber = (flags & 0x80) != 0;
  reader.Skip(4);
  const double headerInches = reader.ReadDouble();
  const double footerInches = reader.ReadDouble();
  if (!owner_) return;
  owner_->Header.Margin = TopMargin - MarginCm(headerInches);
  owner_->Footer.Margin = BottomMargin - MarginCm(footerInches);
}

bool TExportPageSettings::ReadXLSRecord(std::uint16_t id, TXLSRecordReader& reader) {
  switch (id) {
    case xls_record::kLeftMargin:
      LeftMargin = MarginCm(reader.ReadDouble());
      return true;
    case xls_record::kRightMargin:
      RightMargin = MarginCm(reader.ReadDouble());
      return true;
    case xls_record::kTopMargin:
      TopMargin = MarginCm(reader.ReadDouble());
      return true;
    case xls_record::kBottomMargin:
      BottomMargin = MarginCm(reader.ReadDouble());
      return true;
    case xls_record::kHCenter:
      Centering = reader.ReadWord() ? Centering | ctHorizontal : Centering & ~ctHorizontal;
      return true;
    case xls_record::kVCenter:
      Centering = reader.ReadWord() ? Centering | ctVertical : Centering & ~ctVertical;
      return true;
    case xls_record::kPrintHeaders:
      PrintHeaders = reader.ReadWord() != 0;
      return true;
    case xls_record::kPrintGridLines:
      PrintGridLines = reader.ReadWord() != 0;
      return true;
    case xls_record::kSetup:
      ReadXLSSetup(reader);
      return true;
    case xls_record::kHorizontalPageBreaks:
    case xls_record::kVerticalPageBreaks: {
      // A count the record cannot hold is cut to the entries it holds.
      const std::uint32_t count = std::min<std::uint32_t>(reader.ReadWord(), reader.Left() / 6);
      for (std::uint32_t i = 0; i < count && owner_; ++i) {
        const int index = reader.ReadWord();
        reader.Skip(4);
        if (id == xls_record::kHorizontalPageBreaks)
          owner_->GetRow(index)->PageBreak = true;
        else if (index <= kXLSMaxCol)
          owner_->Cols.GetCol(index)->PageBreak = true;
      }
      return true;
    }
    case xls_record::kHeader:
      if (owner_) owner_->Header.ReadXLS(reader);
      return true;
    case xls_record::kFooter:
      if (owner_) owner_->Footer.ReadXLS(reader);
      return true;
    default:
      return false;
  }
}

}  // namespace workbook
