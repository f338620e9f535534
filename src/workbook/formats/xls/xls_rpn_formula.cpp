// The BIFF8 forms of a whole formula: the FORMULA record and the token bytes read back.
#include <cstring>

#include "platform/text_codec.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/xls/xls_formula_tokens.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_rpn_byte_reader.h"
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/model/cell.h"
#include "workbook/model/formula/rpn_formula.h"

namespace workbook {

namespace {

using xls_record::kMaxRecordData;

// What a STRING record holds without CONTINUE records.
constexpr std::size_t kMaxStringChars = (kMaxRecordData - 3) / 2;
constexpr std::size_t kFormulaFixedPart = 22;  // cell header, result, options, chain, length

void Put(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// The error codes of BIFF8 cached results.
std::uint8_t BiffErrorCode(TRPNError error) {
  switch (error) {
    case TRPNError::DivZero:
      return 0x07;
    case TRPNError::Value:
      return 0x0F;
    case TRPNError::Ref:
      return 0x17;
    default:
      return 0x24;  // #NUM!
  }
}

// The cached result of a kind other than a number: the kind, its value byte, the marker word.
std::uint64_t NonNumericResult(std::uint8_t kind, std::uint8_t value = 0) {
  return kind | std::uint64_t{value} << 16 | std::uint64_t{xls_record::kNonNumericResult} << 48;
}

bool FitsSheet(int col, int row) { return col >= 0 && col <= 255 && row >= 0 && row <= 65535; }

TRPNTokenPtr NewTokenForPtg(std::uint8_t ptg, TRPNByteReader& reader) {
  TRPNOperator op;
  if (RPNOperatorFromPtg(ptg, op)) {
    auto token = std::make_unique<TRPNFormulaTokenOperator>();
    token->Operator = op;
    return token;
  }
  switch (ptg) {
    case 0x15:
      return std::make_unique<TRPNFormulaTokenRightParenthesis>();
    case 0x1E:
    case 0x1F:
      return std::make_unique<TRPNFormulaTokenNumber>();
    case 0x24:
    case 0x44:
    case 0x64:
    case 0x2C:  // the relative forms of rule formulas
    case 0x4C:
    case 0x6C:
      return std::make_unique<TRPNFormulaTokenCell>();
    case 0x25:
    case 0x45:
    case 0x65:
    case 0x2D:
    case 0x4D:
    case 0x6D:
      return std::make_unique<TRPNFormulaTokenCellRange>();
    case 0x23:
    case 0x43:
    case 0x63:
      return std::make_unique<TRPNFormulaTokenNamedCellRange>();
    case 0x41:
      return std::make_unique<TRPNFormulaTokenFunction>();
    case 0x42:
      return std::make_unique<TRPNFormulaTokenVarFunction>();
    case 0x19: {
      const std::uint8_t options = reader.ReadByte();
      if (options == 0x10) return std::make_unique<TRPNFormulaTokenVarFunction>();
      auto attribute = std::make_unique<TRPNFormulaTokenAttribute>();
      attribute->Options = options;
      return attribute;
    }
    default:
      return nullptr;
  }
}

}  // namespace

bool TRPNFormula::CanWriteXLS() const {
  for (const TRPNTokenPtr& token : tokens_) {
    switch (token->Kind()) {
      case TRPNTokenKind::Cell: {
        const auto& cell = static_cast<const TRPNFormulaTokenCell&>(*token);
        if (!FitsSheet(cell.Column, cell.Row)) return false;
        break;
      }
      case TRPNTokenKind::CellRange: {
        const TRPNRange& r = static_cast<const TRPNFormulaTokenCellRange&>(*token).Range;
        if (!FitsSheet(r.Col, r.Row) || !FitsSheet(r.LastCol(), r.LastRow())) return false;
        break;
      }
      case TRPNTokenKind::VarFunction:
        if (static_cast<const TRPNFormulaTokenVarFunction&>(*token).ArgCount > 255) return false;
        break;
      default:
        break;
    }
  }
  return GetXLSTokens().size() + kFormulaFixedPart <= kMaxRecordData;
}

std::vector<std::uint8_t> TRPNFormula::GetXLSTokens(const TRPNBaseCell* base) const {
  std::vector<std::uint8_t> bytes;
  const IRPNNameSource* names = Names();
  for (std::size_t i = 0; i < tokens_.size(); ++i) {
    const TRPNFormulaToken& token = *tokens_[i];
    if (base != nullptr && token.Kind() == TRPNTokenKind::Cell)
      static_cast<const TRPNFormulaTokenCell&>(token).WriteXLSRelative(bytes, base->Col, base->Row);
    else if (base != nullptr && token.Kind() == TRPNTokenKind::CellRange)
      static_cast<const TRPNFormulaTokenCellRange&>(token).WriteXLSRelative(bytes, base->Col,
                                                                            base->Row);
    else
      token.WriteXLS(bytes, i + 1 < tokens_.size() ? tokens_[i + 1].get() : nullptr, names);
  }
  return bytes;
}

void TRPNFormula::WriteXLS(TStream& stream, int row, int col, int xfIndex, TRPNValue result) const {
  if (result.Failed()) return WriteXLSError(stream, row, col, xfIndex, BiffErrorCode(result.Error));
  std::uint64_t bits = 0;
  std::memcpy(&bits, &result.Value, sizeof bits);
  WriteXLSRecord(stream, row, col, xfIndex, bits);
}

void TRPNFormula::WriteXLSError(TStream& stream, int row, int col, int xfIndex,
                                std::uint8_t code) const {
  WriteXLSRecord(stream, row, col, xfIndex, NonNumericResult(xls_record::kResultError, code));
}

void TRPNFormula::WriteXLSBoolean(TStream& stream, int row, int col, int xfIndex,
                                  bool value) const {
  WriteXLSRecord(stream, row, col, xfIndex, NonNumericResult(xls_record::kResultBoolean, value));
}

void TRPNFormula::WriteXLSText(TStream& stream, int row, int col, int xfIndex,
                               std::u16string_view text) const {
  // A text result is marked in the result field; the text follows in a STRING record.
  WriteXLSRecord(
      stream, row, col, xfIndex,
      NonNumericResult(text.empty() ? xls_record::kResultEmptyString : xls_record::kResultString));
  if (text.empty()) return;
  text = text.substr(0, kMaxStringChars);
  std::vector<std::uint8_t> record;
  Put(record, xls_record::kString, 2);
  Put(record, 3 + 2 * text.size(), 2);
  Put(record, text.size(), 2);
  Put(record, 0x01, 1);
  for (char16_t c : platform::WellFormedUtf16(text)) Put(record, c, 2);
  stream.WriteBuffer(record.data(), record.size());
}

void TRPNFormula::WriteXLSRecord(TStream& stream, int row, int col, int xfIndex,
                                 std::uint64_t result) const {
  if (!CanWriteXLS())
    throw EWorkbookException(u"TRPNFormula.WriteXLS: the formula does not fit a BIFF8 sheet.");
  const std::vector<std::uint8_t> tokens = GetXLSTokens();
  std::vector<std::uint8_t> record;
  Put(record, xls_record::kFormula, 2);
  Put(record, tokens.size() + kFormulaFixedPart, 2);
  Put(record, static_cast<std::uint16_t>(row), 2);
  Put(record, static_cast<std::uint16_t>(col), 2);
  Put(record, static_cast<std::uint16_t>((xfIndex & 0xFFFF) + 16), 2);
  Put(record, result, 8);
  Put(record, 0x0002, 2);
  Put(record, 0, 4);
  Put(record, tokens.size(), 2);
  record.insert(record.end(), tokens.begin(), tokens.end());
  stream.WriteBuffer(record.data(), record.size());
}

void TRPNFormula::ReadXLS(TStream& stream, std::uint16_t length) {
  if (length == 0) {
    std::uint8_t word[2];
    if (stream.Read(word, 2) != 2) throw EWorkbookFileException(WorkbookLng_InvalidXLS);
    length = static_cast<std::uint16_t>(word[0] | (word[1] << 8));
  }
  std::vector<std::uint8_t> bytes(length);
  if (length > 0 && stream.Read(bytes.data(), length) != length)
    throw EWorkbookFileException(WorkbookLng_InvalidXLS);
  ReadXLSTokens(bytes);
}

void TRPNFormula::ReadXLSTokens(const std::vector<std::uint8_t>& bytes, TRPNBaseCell base) {
  tokens_.clear();
  // No record holds more; the bound also keeps rendering a hostile array of parentheses quick.
  if (bytes.size() > kMaxRecordData) throw EWorkbookFileException(WorkbookLng_InvalidXLS);
  TRPNByteReader reader(bytes, base);
  const IRPNNameSource* names = Names();
  try {
    while (!reader.AtEnd()) {
      const std::uint8_t ptg = reader.ReadByte();
      TRPNTokenPtr token = NewTokenForPtg(ptg, reader);
      bool ignore = false;
      if (!token) return tokens_.clear();
      if (!token->ReadXLS(reader, names, ignore, ptg)) {
        if (ignore) continue;
        return tokens_.clear();
      }
      tokens_.push_back(std::move(token));
    }
  } catch (...) {
    tokens_.clear();
    throw;
  }
}

void RPNReadXLSFormula(TExportCell& cell, std::span<const std::uint8_t> tokens) {
  TRPNFormula formula(&cell);
  // Relative forms, which some writers put into a cell's own formula, count from the cell.
  formula.ReadXLSTokens(std::vector<std::uint8_t>(tokens.begin(), tokens.end()),
                        TRPNBaseCell{cell.GetColIndex(), cell.GetRowIndex()});
  const std::u16string text = formula.GetFormulaText();
  if (!text.empty()) cell.ReadFormula(u"=" + text);
}

}  // namespace workbook
