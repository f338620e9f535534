// BIFF8 token bytes (little-endian) of every token class.
#include <cstring>

#include "workbook/core/cell_refs.h"
#include "workbook/formats/xls/xls_rpn_byte_reader.h"
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/model/formula/rpn_token_visit.h"

namespace workbook {

namespace {

void PutByte(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value));
}

// Column in bits 0-7, bit 14 a relative column, bit 15 a relative row.
unsigned ColumnWord(int col, bool colAbsolute, bool rowAbsolute) {
  return (static_cast<unsigned>(col) & 0xFF) | (colAbsolute ? 0 : 0x4000u) |
         (rowAbsolute ? 0 : 0x8000u);
}

void ReadColumnWord(TRPNByteReader& reader, int& col, bool& colAbsolute, bool& rowAbsolute) {
  const std::uint16_t word = reader.ReadWord();
  col = word & 0xFF;
  colAbsolute = (word & 0x4000) == 0;
  rowAbsolute = (word & 0x8000) == 0;
}

// Whether ptg is a relative form (ptgRefN, ptgAreaN, any class), whose relative parts are
// offsets from the base cell.
bool IsRelativeForm(std::uint8_t ptg) { return (ptg & 0x1F) == 0x0C || (ptg & 0x1F) == 0x0D; }

// A relative form's row offset (16-bit) and column offset (8-bit), signed, added to the base and
// wrapped within the sheet as the format does.
int RelativeRow(int offset, int baseRow) {
  return (baseRow + static_cast<std::int16_t>(offset)) & 0xFFFF;
}
int RelativeCol(int offset, int baseCol) {
  return (baseCol + static_cast<std::int8_t>(offset)) & 0xFF;
}

// A relative part written as its offset from the base, wrapped to its field.
unsigned RowField(int row, bool absolute, int baseRow) {
  return static_cast<unsigned>(absolute ? row : row - baseRow) & 0xFFFF;
}
int ColField(int col, bool absolute, int baseCol) {
  return absolute ? col : (col - baseCol) & 0xFF;
}

}  // namespace

void TRPNFormulaToken::WriteXLS(std::vector<std::uint8_t>& out, const TRPNFormulaToken* next,
                                const IRPNNameSource* names) const {
  VisitTokenKind(Kind(), [&]<class T>(std::type_identity<T>) {
    static_cast<const T*>(this)->WriteXLS(out, next, names);
  });
}

bool TRPNFormulaToken::ReadXLS(TRPNByteReader& reader, const IRPNNameSource* names, bool& ignore,
                               std::uint8_t ptg) {
  return VisitTokenKind(Kind(), [&]<class T>(std::type_identity<T>) {
    // Operators and parentheses have no operands to read.
    if constexpr (std::is_same_v<T, TRPNFormulaTokenOperator> ||
                  std::is_same_v<T, TRPNFormulaTokenLeftParenthesis> ||
                  std::is_same_v<T, TRPNFormulaTokenRightParenthesis>) {
      ignore = false;
      return true;
    } else {
      return static_cast<T*>(this)->ReadXLS(reader, names, ignore, ptg);
    }
  });
}

void TRPNFormulaTokenCell::WriteXLS(std::vector<std::uint8_t>& out, const TRPNFormulaToken*,
                                    const IRPNNameSource*) const {
  PutByte(out, 0x44);
  XLSPutWord(out, static_cast<unsigned>(Row));
  XLSPutWord(out, ColumnWord(Column, ColAbsolute, RowAbsolute));
}

void TRPNFormulaTokenCell::WriteXLSRelative(std::vector<std::uint8_t>& out, int baseCol,
                                            int baseRow) const {
  PutByte(out, 0x4C);
  XLSPutWord(out, RowField(Row, RowAbsolute, baseRow));
  XLSPutWord(out, ColumnWord(ColField(Column, ColAbsolute, baseCol), ColAbsolute, RowAbsolute));
}

bool TRPNFormulaTokenCell::ReadXLS(TRPNByteReader& reader, const IRPNNameSource*, bool&,
                                   std::uint8_t ptg) {
  Row = reader.ReadWord();
  ReadColumnWord(reader, Column, ColAbsolute, RowAbsolute);
  if (IsRelativeForm(ptg)) {
    if (!RowAbsolute) Row = RelativeRow(Row, reader.Base().Row);
    if (!ColAbsolute) Column = RelativeCol(Column, reader.Base().Col);
  }
  return true;
}

void TRPNFormulaTokenCellRange::WriteXLS(std::vector<std::uint8_t>& out, const TRPNFormulaToken*,
                                         const IRPNNameSource*) const {
  PutByte(out, 0x25);
  XLSPutWord(out, static_cast<unsigned>(Range.Row));
  XLSPutWord(out, static_cast<unsigned>(Range.LastRow()));
  XLSPutWord(out, ColumnWord(Range.Col, Range.Col1Absolute, Range.Row1Absolute));
  XLSPutWord(out, ColumnWord(Range.LastCol(), Range.Col2Absolute, Range.Row2Absolute));
}

void TRPNFormulaTokenCellRange::WriteXLSRelative(std::vector<std::uint8_t>& out, int baseCol,
                                                 int baseRow) const {
  PutByte(out, 0x2D);
  XLSPutWord(out, RowField(Range.Row, Range.Row1Absolute, baseRow));
  XLSPutWord(out, RowField(Range.LastRow(), Range.Row2Absolute, baseRow));
  XLSPutWord(out, ColumnWord(ColField(Range.Col, Range.Col1Absolute, baseCol), Range.Col1Absolute,
                             Range.Row1Absolute));
  XLSPutWord(out, ColumnWord(ColField(Range.LastCol(), Range.Col2Absolute, baseCol),
                             Range.Col2Absolute, Range.Row2Absolute));
}

bool TRPNFormulaTokenCellRange::ReadXLS(TRPNByteReader& reader, const IRPNNameSource*, bool&,
                                        std::uint8_t ptg) {
  TCellRangeRef ref;
  ref.Row1 = reader.ReadWord();
  ref.Row2 = reader.ReadWord();
  ReadColumnWord(reader, ref.Col1, ref.Col1Absolute, ref.Row1Absolute);
  ReadColumnWord(reader, ref.Col2, ref.Col2Absolute, ref.Row2Absolute);
  if (IsRelativeForm(ptg)) {
    const TRPNBaseCell& base = reader.Base();
    if (!ref.Row1Absolute) ref.Row1 = RelativeRow(ref.Row1, base.Row);
    if (!ref.Row2Absolute) ref.Row2 = RelativeRow(ref.Row2, base.Row);
    if (!ref.Col1Absolute) ref.Col1 = RelativeCol(ref.Col1, base.Col);
    if (!ref.Col2Absolute) ref.Col2 = RelativeCol(ref.Col2, base.Col);
  }
  // The corners as a file may give them in either order.
  Range.SetCorners(ref);
  return true;
}

void TRPNFormulaTokenNamedCellRange::WriteXLS(std::vector<std::uint8_t>& out,
                                              const TRPNFormulaToken*,
                                              const IRPNNameSource* names) const {
  TRPNRange range;
  const bool multiCell =
      names && names->FindName(Name, range) && (range.ColCount > 1 || range.RowCount > 1);
  PutByte(out, multiCell ? 0x23 : 0x43);
  XLSPutWord(out, names ? static_cast<unsigned>(names->NamePosition(Name)) : 0u);
  XLSPutWord(out, 0);
}

bool TRPNFormulaTokenNamedCellRange::ReadXLS(TRPNByteReader& reader, const IRPNNameSource* names,
                                             bool&, std::uint8_t) {
  const int position = reader.ReadWord();
  reader.Skip(2);
  return names && names->NameAtPosition(position, Name);
}

void TRPNFormulaTokenNumber::WriteXLS(std::vector<std::uint8_t>& out, const TRPNFormulaToken*,
                                      const IRPNNameSource*) const {
  PutByte(out, 0x1F);
  XLSPutDouble(out, Value);
}

bool TRPNFormulaTokenNumber::ReadXLS(TRPNByteReader& reader, const IRPNNameSource*, bool&,
                                     std::uint8_t ptg) {
  Value = ptg == 0x1E ? reader.ReadWord() : reader.ReadDouble();
  return true;
}

void TRPNFormulaTokenOperator::WriteXLS(std::vector<std::uint8_t>& out, const TRPNFormulaToken*,
                                        const IRPNNameSource*) const {
  PutByte(out, RPNOperatorInfo(Operator).Ptg);
}

void TRPNFormulaTokenFunction::WriteXLS(std::vector<std::uint8_t>& out, const TRPNFormulaToken*,
                                        const IRPNNameSource*) const {
  PutByte(out, 0x41);
  XLSPutWord(out, RPNFunctionInfo(Func).Id);
}

bool TRPNFormulaTokenFunction::ReadXLS(TRPNByteReader& reader, const IRPNNameSource*, bool&,
                                       std::uint8_t) {
  return RPNFunctionFromId(reader.ReadWord(), Func);
}

void TRPNFormulaTokenVarFunction::WriteXLS(std::vector<std::uint8_t>& out, const TRPNFormulaToken*,
                                           const IRPNNameSource*) const {
  if (Index == static_cast<int>(TRPNMultiFunction::Sum) && ArgCount == 1) {
    PutByte(out, 0x19);
    PutByte(out, 0x10);
    XLSPutWord(out, 0);
    return;
  }
  PutByte(out, 0x42);
  PutByte(out, static_cast<unsigned>(ArgCount));
  XLSPutWord(out, RPNMultiFunctionInfo(Index).Id);
}

bool TRPNFormulaTokenVarFunction::ReadXLS(TRPNByteReader& reader, const IRPNNameSource*, bool&,
                                          std::uint8_t ptg) {
  if (ptg == 0x19) {  // the "sum" attribute: SUM of one argument
    Index = static_cast<int>(TRPNMultiFunction::Sum);
    ArgCount = 1;
    reader.Skip(2);
    return true;
  }
  ArgCount = reader.ReadByte();
  return RPNMultiFunctionFromId(reader.ReadWord(), Index);
}

void TRPNFormulaTokenAttribute::WriteXLS(std::vector<std::uint8_t>& out, const TRPNFormulaToken*,
                                         const IRPNNameSource*) const {
  PutByte(out, 0x19);
  PutByte(out, 0x01);
  XLSPutWord(out, 0);
}

bool TRPNFormulaTokenAttribute::ReadXLS(TRPNByteReader& reader, const IRPNNameSource*, bool&,
                                        std::uint8_t) {
  const std::uint16_t data = reader.ReadWord();
  // "choose" is followed by its jump table: one offset per choice and one past the last.
  if (Options & 0x04) reader.Skip((static_cast<std::size_t>(data) + 1) * 2);
  return true;
}

void TRPNFormulaTokenRightParenthesis::WriteXLS(std::vector<std::uint8_t>& out,
                                                const TRPNFormulaToken* next,
                                                const IRPNNameSource*) const {
  if (!(next && next->IsFunction())) PutByte(out, 0x15);
}

}  // namespace workbook
