#pragma once
// The cell records of a BIFF8 worksheet substream, decoded into plain cells for a target: the
// model's reader builds rows and cells from them, tools count or print them.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "workbook/formats/xls/xls_record_reader.h"
#include "workbook/formats/xls/xls_shared_strings.h"

namespace workbook {

enum class TXLSCellKind {
  Blank,    // BLANK, MULBLANK, an empty LABEL or shared string
  Number,   // NUMBER, RK, MULRK, a formula with a numeric result
  Text,     // LABEL, RSTRING, LABELSST, a formula with a text result
  Boolean,  // BOOLERR of a Boolean, a formula with a Boolean result
  Error,    // BOOLERR of an error code, a formula with an error result
};

struct TXLSCell {
  std::uint16_t Row = 0;
  std::uint16_t Column = 0;
  std::uint16_t XF = 0;
  TXLSCellKind Kind = TXLSCellKind::Blank;
  // Whether the cell holds a formula (its cached result is the value).
  bool Formula = false;
  // A formula's token bytes (within the record's data).
  std::span<const std::uint8_t> FormulaTokens;
  // Number: the value; Boolean: 1 or 0; Error: the error code.
  double Number = 0;
  // Text: the string, unless SharedText holds it; valid only during the target's call.
  std::u16string_view Text;
  // Text from the shared-string table without runs: the table's copy with its line breaks as
  // cells keep them, for the cell to share (nullptr otherwise).
  const TPackedText* SharedText = nullptr;
  // Text from the shared-string table: its formatting runs (nullptr otherwise).
  const std::vector<TXLSRichTextRun>* Runs = nullptr;
};

// A ROW record: the row's height and options (outline level, hidden, custom height, style).
struct TXLSRowRecord {
  std::uint16_t Row = 0;
  std::uint16_t Height = 0;   // twips in bits 0-14; bit 15: the default height
  std::uint32_t Options = 0;  // bits 0-2 outline level, 0x20 hidden, 0x40 custom height,
                              // 0x80 styled with the XF in bits 16-27
};

class IXLSSheetTarget {
 public:
  virtual ~IXLSSheetTarget() = default;
  // Cells come in record order (rows ascending in files Excel writes, but not necessarily).
  virtual void Cell(const TXLSCell& cell) = 0;
  virtual void Row(const TXLSRowRecord& row) = 0;
  // DEFAULTROWHEIGHT: the height in twips.
  virtual void DefaultRowHeight(std::uint16_t height) = 0;
  // Any other record of the worksheet (merges, columns, window, page setup, protection), Reader
  // positioned at its data and bounded by its size; the sheet reader moves on to the record's
  // end whatever the target read. Targets that only want cells pass them over.
  virtual void SheetRecord(TXLSRecordReader& /*reader*/) {}
};

// Reads the next worksheet substream from Reader's position: records up to a BOF of a worksheet
// are passed over (chart sheets, macro sheets), then the worksheet's cells go to target up to
// its EOF; substreams nested in it (embedded charts) are passed over whole. A null target passes
// over the worksheet. Returns False when the stream ends before a worksheet begins. A stream that
// ends before the worksheet's EOF and damaged cell records (short data, a column beyond 255)
// raise EWorkbookFileException.
bool XLSReadWorksheet(TXLSRecordReader& reader, const TXLSSharedStrings_Import& sst,
                      IXLSSheetTarget* target);

}  // namespace workbook
