#include "workbook/formats/xls/xls_names.h"

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_record_reader.h"
#include "workbook/formats/xls/xls_strings.h"
#include "workbook/model/page_setup.h"
#include "workbook/model/workbook.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

// The reference tokens a name's formula may be: 3-D reference and 3-D area, in their reference,
// value and array classes.
bool IsRef3d(std::uint8_t token) { return token == 0x3A || token == 0x5A || token == 0x7A; }
bool IsArea3d(std::uint8_t token) { return token == 0x3B || token == 0x5B || token == 0x7B; }

// A column word carries the relative flags in its top bits.
int Column(std::uint16_t word) { return word & 0x00FF; }

std::u16string ReadName(TXLSRecordReader& reader, std::uint32_t length) {
  try {
    return XLSReadStringOfLength(reader, length);
  } catch (const EXLSSharedStrings&) {
    throw EWorkbookFileException(WorkbookLng_InvalidXLS);
  }
}

}  // namespace

void TXLSNames::Read(TOleStreamReader& stream, std::int64_t position,
                     const std::vector<std::uint16_t>& externSheets, bool final) {
  workbook_.NamedCells.Clear();
  names_.clear();
  TXLSRecordReader reader(stream, position);
  while (reader.Next() && reader.Id() == xls_record::kName) {
    const std::uint16_t options = reader.ReadWord();
    reader.Skip(1);  // keyboard shortcut
    const std::uint8_t length = reader.ReadByte();
    const std::uint16_t formulaSize = reader.ReadWord();
    reader.Skip(2);
    const std::uint16_t sheetTab = reader.ReadWord();      // 1-based sheet of a local name
    const std::uint32_t textLengths = reader.ReadDWord();  // menu, description, help, status
    if (options == xls_record::kNameBuiltIn && length == 1 && textLengths == 0) {
      ReadBuiltIn(reader, formulaSize, sheetTab, final);
      continue;
    }
    std::u16string name = ReadName(reader, length);
    names_.push_back(name);
    // Only user names of one 3-D reference or area are kept.
    if (options != 0 || (formulaSize != 7 && formulaSize != 11) || reader.Left() < formulaSize)
      continue;
    const std::uint8_t token = reader.ReadByte();
    const bool ref = formulaSize == 7 && IsRef3d(token);
    if (!ref && !(formulaSize == 11 && IsArea3d(token))) continue;
    const std::uint16_t externIndex = reader.ReadWord();
    int row1 = 0, row2 = 0, col1 = 0, col2 = 0;
    if (ref) {
      row1 = row2 = reader.ReadWord();
      col1 = col2 = Column(reader.ReadWord());
    } else {
      row1 = reader.ReadWord();
      row2 = reader.ReadWord();
      col1 = Column(reader.ReadWord());
      col2 = Column(reader.ReadWord());
    }
    TExportWorkSheet* sheet = nullptr;
    if (externIndex < externSheets.size() &&
        externSheets[externIndex] < workbook_.WorkSheets.Count())
      sheet = workbook_.WorkSheets.GetItem(externSheets[externIndex]);
    if ((sheet == nullptr && final) || !TExportNamedCells::IsValidName(name)) continue;
    workbook_.NamedCells.TryAddCellRange(name, sheet, col2, row2, col1, row1);
  }
}

void TXLSNames::ReadBuiltIn(TXLSRecordReader& reader, std::uint16_t formulaSize,
                            std::uint16_t sheetTab, bool final) {
  const std::uint8_t option = reader.ReadByte();
  const std::uint8_t code = reader.ReadByte();
  // Built-in names count in the name list like any other.
  names_.push_back(std::u16string(1, static_cast<char16_t>(code)));
  if (!final || option != 0 || sheetTab < 1 || sheetTab > workbook_.WorkSheets.Count() ||
      (code != xls_record::kBuiltInPrintArea && code != xls_record::kBuiltInPrintTitles) ||
      reader.Left() < formulaSize)
    return;
  TExportWorkSheet& sheet = *workbook_.WorkSheets.GetItem(sheetTab - 1);
  TExportPageSettings& page = sheet.PageSettings;
  // The formula: one area, or (print titles) two areas joined by a union after a memory token.
  for (std::uint32_t left = formulaSize; left > 0;) {
    const std::uint8_t token = reader.ReadByte();
    --left;
    if (token == xls_record::kPtgMemFunc && left >= 2) {
      reader.Skip(2);
      left -= 2;
      continue;
    }
    if (!IsArea3d(token) || left < 10) return;
    reader.Skip(2);
    const int row1 = reader.ReadWord();
    const int row2 = reader.ReadWord();
    const int col1 = Column(reader.ReadWord());
    const int col2 = Column(reader.ReadWord());
    left -= 10;
    if (row2 < row1 || col2 < col1) return;
    if (code == xls_record::kBuiltInPrintArea) {
      page.PrintArea.WorkSheet = &sheet;
      page.PrintArea.SetRange(col1, row1, col2 - col1 + 1, row2 - row1 + 1);
    } else if (row1 == 0 && row2 >= xls_record::kMaxRow) {
      page.TitleCols.WorkSheet = &sheet;
      page.TitleCols.SetCols(col1, col2 - col1 + 1);
    } else if (col1 == 0 && col2 >= xls_record::kMaxColumn) {
      page.TitleRows.WorkSheet = &sheet;
      page.TitleRows.SetRows(row1, row2 - row1 + 1);
    }
    if (left == 1) return;  // the union that ends two areas
  }
}

bool TXLSNames::FindName(std::u16string_view name, TRPNRange& range) const {
  const TExportRange* found = nullptr;
  if (!workbook_.NamedCells.FindName(std::u16string(name), found)) return false;
  range = TRPNRange();
  range.Col = found->Col;
  range.Row = found->Row;
  range.ColCount = found->ColCount;
  range.RowCount = found->RowCount;
  range.WorkSheet = found->WorkSheet;
  return true;
}

int TXLSNames::NamePosition(std::u16string_view name) const {
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == name) return static_cast<int>(i) + 1;
  return 0;
}

bool TXLSNames::NameAtPosition(int position, std::u16string& name) const {
  if (position < 1 || static_cast<std::size_t>(position) > names_.size()) return false;
  name = names_[static_cast<std::size_t>(position) - 1];
  return true;
}

}  // namespace workbook
