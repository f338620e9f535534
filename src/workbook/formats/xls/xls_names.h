#pragma once
// The NAME records of a BIFF8 workbook: the user-defined names that refer to one range of a
// worksheet go to the workbook's named cells, and the file's name list answers the name indexes
// that formula tokens carry.
#include <cstdint>
#include <string>
#include <vector>

#include "workbook/formats/xls/ole_stream_reader.h"
#include "workbook/model/formula/rpn_names.h"

namespace workbook {

class TWorkbook;
class TXLSRecordReader;

class TXLSNames : public IRPNNameSource {
 public:
  explicit TXLSNames(TWorkbook& workbook) : workbook_(workbook) {}

  // Reads the NAME records from position (a NAME record's header) for as long as they follow
  // each other, after clearing the workbook's named cells. externSheets maps a reference's
  // EXTERNSHEET index to its sheet. Before the cells are read (final false) a name whose sheet is
  // unknown is kept without a sheet; the final pass drops it. A record shorter than its fields
  // raises EWorkbookFileException.
  void Read(TOleStreamReader& stream, std::int64_t position,
            const std::vector<std::uint16_t>& externSheets, bool final);

  bool FindName(std::u16string_view name, TRPNRange& range) const override;
  int NamePosition(std::u16string_view name) const override;
  bool NameAtPosition(int position, std::u16string& name) const override;

 private:
  // A built-in name (its name byte and formula after the fixed fields): the final pass sets the
  // print area or print titles of its sheet; other built-in names are only counted.
  void ReadBuiltIn(TXLSRecordReader& reader, std::uint16_t formulaSize, std::uint16_t sheetTab,
                   bool final);

  TWorkbook& workbook_;
  // Every NAME record's name in file order (built-in names too): tokens count in this list.
  std::vector<std::u16string> names_;
};

}  // namespace workbook
