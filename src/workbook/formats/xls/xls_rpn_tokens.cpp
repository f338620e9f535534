// BIFF8 token bytes (little-endian) of every token class.
#include <cstring>

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

bool TRPNFormulaTokenCell::ReadXLS(TRPNByteReader& reader, const IRPNNameSource*, bool&,
                                   std::uint8_t) {
  Row = reader.ReadWord();
  ReadColumnWord(reader, Column, ColAbsolute, RowAbsolute);
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

bool TRPNFormulaTokenCellRange::ReadXLS(TRPNByteReader& reader, const IRPNNameSource*, bool&,
                                        std::uint8_t) {
  const int row1 = reader.ReadWord();
  const int row2 = reader.ReadWord();
  int col1, col2;
  ReadColumnWord(reader, col1, Range.Col1Absolute, Range.Row1Absolute);
  ReadColumnWord(reader, col2, Range.Col2Absolute, Range.Row2Absolute);
  // The corners as a file may give them in either order.
  Range.Col = std::min(col1, col2);
  Range.Row = std::min(row1, row2);
  Range.ColCount = std::abs(col2 - col1) + 1;
  Range.RowCount = std::abs(row2 - row1) + 1;
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
