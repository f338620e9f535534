#include "workbook/formats/xls/xls_sheet_reader.h"

#include <optional>
#include <string>
#include <vector>

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/core/rk_number.h"
#include "workbook/formats/xls/xls_record_data.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_strings.h"

namespace workbook {

using namespace xls_record;

namespace {

// Decodes the cell records of one worksheet substream.
class TCellRecords {
 public:
  TCellRecords(TXLSRecordReader& reader, const TXLSSharedStrings_Import& sst,
               IXLSSheetTarget& target)
      : reader_(reader), sst_(sst), target_(target) {}

  void Record();
  // A string formula still waiting for its STRING record goes out without its text.
  void Finish() { FlushFormula(); }

 private:
  // Row, column and XF, the start of every cell record but STRING.
  TXLSCell Start(const TXLSRecordData& data, TXLSCellKind kind) const;
  void Emit(const TXLSCell& cell) { target_.Cell(cell); }
  void FlushFormula();
  void Formula(const TXLSRecordData& data);
  void MulRk(const TXLSRecordData& data);
  void MulBlank(const TXLSRecordData& data);
  void Label(const TXLSRecordData& data);
  void LabelSST(const TXLSRecordData& data);
  void BoolErr(const TXLSRecordData& data);

  TXLSRecordReader& reader_;
  const TXLSSharedStrings_Import& sst_;
  IXLSSheetTarget& target_;
  // A formula with a text result: its text comes in the STRING record that follows. Its tokens
  // are kept here, as the record they lie in is gone by then.
  bool formulaPending_ = false;
  TXLSCell pending_;
  std::vector<std::uint8_t> pendingTokens_;
  std::u16string text_;
};

// A cell's string; a damaged one leaves the cell empty rather than refusing the file.
std::u16string ReadCellString(TXLSRecordReader& reader) {
  return XLSTryReadString(reader, TXLSLengthRecord::Word).value_or(std::u16string());
}

void CheckColumn(std::uint32_t column) {
  if (column > kMaxColumn) throw EWorkbookFileException(WorkbookLng_InvalidXLS);
}

TXLSCell TCellRecords::Start(const TXLSRecordData& data, TXLSCellKind kind) const {
  TXLSCell cell;
  cell.Row = data.Word(0);
  cell.Column = data.Word(2);
  CheckColumn(cell.Column);
  cell.XF = data.Word(4);
  cell.Kind = kind;
  return cell;
}

void TCellRecords::Record() {
  const std::uint16_t id = reader_.Id();
  if (id == kString) {
    if (!formulaPending_) return;
    formulaPending_ = false;
    text_ = ReadCellString(reader_);
    pending_.Text = text_;
    Emit(pending_);
    return;
  }
  if (id == kRow) {
    const TXLSRecordData data = XLSCurrentRecordData(reader_);
    TXLSRowRecord row;
    row.Row = data.Word(0);
    row.Height = data.Word(6);
    row.Options = data.DWord(12);
    target_.Row(row);
    return;
  }
  if (id == kDefaultRowHeight) {
    target_.DefaultRowHeight(XLSCurrentRecordData(reader_).Word(2));
    return;
  }
  switch (id) {
    case kFormula:
    case kFormula4:
    case kNumber:
    case kRk:
    case kMulRk:
    case kLabel:
    case kRString:
    case kLabelSST:
    case kBoolErr:
    case kBlank:
    case kOldBlank:
    case kMulBlank:
      break;
    default:
      target_.SheetRecord(reader_);
      return;
  }
  FlushFormula();
  const TXLSRecordData data = XLSCurrentRecordData(reader_);
  switch (id) {
    case kFormula:
    case kFormula4:
      Formula(data);
      break;
    case kNumber: {
      TXLSCell cell = Start(data, TXLSCellKind::Number);
      cell.Number = data.Double(6);
      Emit(cell);
      break;
    }
    case kRk: {
      TXLSCell cell = Start(data, TXLSCellKind::Number);
      cell.Number = RKToDouble(data.DWord(6));
      Emit(cell);
      break;
    }
    case kMulRk:
      MulRk(data);
      break;
    case kLabel:
    case kRString:
      Label(data);
      break;
    case kLabelSST:
      LabelSST(data);
      break;
    case kBoolErr:
      BoolErr(data);
      break;
    case kMulBlank:
      MulBlank(data);
      break;
    default:  // BLANK
      Emit(Start(data, TXLSCellKind::Blank));
      break;
  }
}

void TCellRecords::FlushFormula() {
  if (!formulaPending_) return;
  formulaPending_ = false;
  pending_.Text = {};
  Emit(pending_);
}

void TCellRecords::Formula(const TXLSRecordData& data) {
  TXLSCell cell = Start(data, TXLSCellKind::Number);
  cell.Formula = true;
  const std::size_t tokens = data.Word(20);
  if (data.Size() - 22 < tokens) throw EWorkbookFileException(WorkbookLng_InvalidXLS);
  cell.FormulaTokens = data.Bytes().subspan(22, tokens);
  if (data.Word(12) != kNonNumericResult) {
    cell.Number = data.Double(6);
    Emit(cell);
    return;
  }
  switch (data.Byte(6)) {
    case kResultString:
      cell.Kind = TXLSCellKind::Text;
      pendingTokens_.assign(cell.FormulaTokens.begin(), cell.FormulaTokens.end());
      pending_ = cell;
      pending_.FormulaTokens = pendingTokens_;
      formulaPending_ = true;
      return;
    case kResultBoolean:
      cell.Kind = TXLSCellKind::Boolean;
      cell.Number = data.Byte(8) != 0 ? 1 : 0;
      break;
    case kResultError:
      cell.Kind = TXLSCellKind::Error;
      cell.Number = data.Byte(8);
      break;
    case kResultEmptyString:
      // A text result all the same: the formula's cell is a text cell.
      cell.Kind = TXLSCellKind::Text;
      break;
    default:
      // An unknown result type carries no value the cell could show.
      cell.Kind = TXLSCellKind::Blank;
      break;
  }
  Emit(cell);
}

void TCellRecords::MulRk(const TXLSRecordData& data) {
  // Row, first column, then XF and RK per column, then the last column: the number of columns
  // comes from the record's size, not from the last-column word.
  if (data.Size() < 12) throw EWorkbookFileException(WorkbookLng_InvalidXLS);
  const std::size_t count = (data.Size() - 6) / 6;
  TXLSCell cell;
  cell.Row = data.Word(0);
  cell.Kind = TXLSCellKind::Number;
  const std::uint32_t first = data.Word(2);
  CheckColumn(first + count - 1);
  for (std::size_t i = 0; i < count; ++i) {
    cell.Column = static_cast<std::uint16_t>(first + i);
    cell.XF = data.Word(4 + i * 6);
    cell.Number = RKToDouble(data.DWord(6 + i * 6));
    Emit(cell);
  }
}

void TCellRecords::MulBlank(const TXLSRecordData& data) {
  if (data.Size() < 8) throw EWorkbookFileException(WorkbookLng_InvalidXLS);
  const std::size_t count = (data.Size() - 6) / 2;
  TXLSCell cell;
  cell.Row = data.Word(0);
  const std::uint32_t first = data.Word(2);
  CheckColumn(first + count - 1);
  for (std::size_t i = 0; i < count; ++i) {
    cell.Column = static_cast<std::uint16_t>(first + i);
    cell.XF = data.Word(4 + i * 2);
    Emit(cell);
  }
}

void TCellRecords::Label(const TXLSRecordData& data) {
  TXLSCell cell = Start(data, TXLSCellKind::Text);
  reader_.Skip(6);
  text_ = ReadCellString(reader_);
  if (text_.empty()) cell.Kind = TXLSCellKind::Blank;
  cell.Text = text_;
  Emit(cell);
}

void TCellRecords::LabelSST(const TXLSRecordData& data) {
  TXLSCell cell = Start(data, TXLSCellKind::Blank);
  // An index outside the table leaves the cell empty.
  const TXLSSharedStrings_ImportEntry* entry = sst_.GetEntry(data.DWord(6));
  if (entry != nullptr && !entry->Text().empty()) {
    cell.Kind = TXLSCellKind::Text;
    // Runs follow the file's characters, so a text with runs is normalised per cell.
    if (entry->Runs().empty()) {
      cell.SharedText = &entry->SharedText();
    } else {
      cell.Text = entry->Text().View(text_);
      cell.Runs = &entry->Runs();
    }
  }
  Emit(cell);
}

void TCellRecords::BoolErr(const TXLSRecordData& data) {
  TXLSCell cell = Start(data, TXLSCellKind::Boolean);
  const std::uint8_t value = data.Byte(6);
  if (data.Byte(7) == 1) {
    cell.Kind = TXLSCellKind::Error;
    cell.Number = value;
  } else {
    cell.Number = value == 1 ? 1 : 0;
  }
  Emit(cell);
}

bool IsWorksheetBof(TXLSRecordReader& reader) {
  return reader.Id() == kBof && XLSCurrentRecordData(reader).Word(2) == kBofWorksheet;
}

}  // namespace

bool XLSReadWorksheet(TXLSRecordReader& reader, const TXLSSharedStrings_Import& sst,
                      IXLSSheetTarget* target) {
  bool found = false;
  while (!found && reader.Next()) found = IsWorksheetBof(reader);
  if (!found) return false;

  std::optional<TCellRecords> cells;
  if (target != nullptr) cells.emplace(reader, sst, *target);
  // Depth of the substreams (embedded charts) nested in the worksheet's: their records and their
  // EOF are not the worksheet's.
  int nested = 0;
  bool ended = false;
  while (!ended && reader.Next()) {
    const std::uint16_t id = reader.Id();
    if (id == kBof) {
      ++nested;
    } else if (id == kEof) {
      ended = nested == 0;
      if (!ended) --nested;
    } else if (nested == 0 && cells) {
      cells->Record();
    }
  }
  // A stream cut off inside a worksheet would load as a shorter sheet than the file holds.
  if (!ended) throw EWorkbookFileException(WorkbookLng_InvalidXLS);
  if (cells) cells->Finish();
  return true;
}

}  // namespace workbook
