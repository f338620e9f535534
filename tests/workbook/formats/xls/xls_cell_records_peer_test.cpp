// Our BIFF8 cell records beside the ones python3-xlwt writes for the same cells.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "workbook/formats/python_peer.h"
#include "workbook/formats/xls/xls_workbook_stream.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/model_fixture.h"

namespace workbook {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The first record Id of the stream whose row and column are Row and Col, header included.
Bytes FindCellRecord(const Bytes& stream, std::uint16_t id, int row, int col) {
  std::size_t at = 0;
  while (at + 4 <= stream.size()) {
    std::uint16_t recordId = stream[at] | (stream[at + 1] << 8);
    std::size_t length = stream[at + 2] | (stream[at + 3] << 8);
    if (at + 4 + length > stream.size()) break;
    if (recordId == id && length >= 4 && (stream[at + 4] | (stream[at + 5] << 8)) == row &&
        (stream[at + 6] | (stream[at + 7] << 8)) == col)
      return Bytes(stream.begin() + at, stream.begin() + at + 4 + length);
    at += 4 + length;
  }
  return {};
}

// The XF word differs between writers; everything else must match.
Bytes WithoutXF(Bytes record) {
  if (record.size() >= 10) record[8] = record[9] = 0;
  return record;
}

class TNoSharedStrings : public ICellWriteContext {
 public:
  std::uint32_t SharedStringIndex(const TExportCellString&) override { return 0; }
};

using CellRecordsPeerTest = ModelTest;

TEST_F(CellRecordsPeerTest, NumberAndBooleanRecordsMatchXlwt) {
  if (!test_support::PythonHasModules("xlwt")) GTEST_SKIP() << "/usr/bin/python3 has no xlwt";
  std::string path = ::testing::TempDir() + "cell_records_peer.xls";
  std::string out = test_support::RunPython(
      "import sys, xlwt\n"
      "path = open(sys.argv[1]).read()\n"
      "book = xlwt.Workbook()\n"
      "sheet = book.add_sheet('S')\n"
      "sheet.write(1, 0, -1234.5678)\n"
      "sheet.write(0, 2, True)\n"
      "sheet.write(3, 1, 6.02e23)\n"
      "book.save(path)\n",
      path);
  ASSERT_EQ(out, "");
  TFileStream file(path, TFileMode::OpenRead);
  TMemoryStream records;
  XLSReadWorkbookStream(file, records);
  const Bytes& theirs = records.Data();

  TWorkbook book;
  TExportWorkSheet* sheet = book.AddWorkSheet(u"S");
  TNoSharedStrings context;
  auto ours = [&](TExportCell* cell) {
    TMemoryStream stream;
    cell->WriteXLS(stream, 0, context);
    return stream.Data();
  };
  auto* negative =
      static_cast<TExportCellNumber*>(sheet->FindCreateCell(0, 1, TCellClass::Number, false));
  negative->SetValue(-1234.5678);
  auto* large =
      static_cast<TExportCellNumber*>(sheet->FindCreateCell(1, 3, TCellClass::Number, false));
  large->SetValue(6.02e23);
  auto* flag =
      static_cast<TExportCellBoolean*>(sheet->FindCreateCell(2, 0, TCellClass::Boolean, false));
  flag->SetBoolean(true);

  EXPECT_EQ(WithoutXF(ours(negative)), WithoutXF(FindCellRecord(theirs, 0x0203, 1, 0)));
  EXPECT_EQ(WithoutXF(ours(large)), WithoutXF(FindCellRecord(theirs, 0x0203, 3, 1)));
  EXPECT_EQ(WithoutXF(ours(flag)), WithoutXF(FindCellRecord(theirs, 0x0205, 0, 2)));
  std::remove(path.c_str());
}

}  // namespace
}  // namespace workbook
