#include "workbook/formats/xls/xls_merged_ranges.h"

#include <gtest/gtest.h>

#include "workbook/core/exceptions.h"
#include "workbook/formats/sheet_record_support.h"
#include "workbook/formats/xls/biff_builder.h"
#include "workbook/model/cell.h"

namespace workbook {
namespace {

using namespace xls_test;
using test::OneRecord;

using MergedRangesTest = test::SheetTest;

TEST_F(MergedRangesTest, XlsRecord) {
  TExportCell* wide = sheet->FindCreateCell(1, 1, TCellClass::String, false);
  wide->SetColSpan(2);
  TExportCell* tall = sheet->FindCreateCell(0, 5, TCellClass::Number, false);
  tall->SetRowSpan(3);
  const std::vector<std::uint8_t> bytes =
      WriteXLSMergedCells({XLSMergedArea(*wide, 1, 1), XLSMergedArea(*tall, 0, 5)});
  EXPECT_EQ(test::Hex(bytes), "E5 00 12 00 02 00 01 00 01 00 01 00 02 00 05 00 07 00 00 00 00 00");
}

TEST_F(MergedRangesTest, ManyRangesSplitAt1027PerRecord) {
  const std::vector<std::uint8_t> bytes =
      WriteXLSMergedCells(std::vector<TXLSMergedArea>(2000, TXLSMergedArea{0, 1, 0, 0}));
  ASSERT_EQ(bytes.size(), 2u * 6 + 8u * 2000);
  EXPECT_EQ(bytes[4] | bytes[5] << 8, 1027);
  const std::size_t second = 6 + 8 * 1027;
  EXPECT_EQ(bytes[second + 4] | bytes[second + 5] << 8, 973);
}

TEST_F(MergedRangesTest, XlsCountBeyondTheRecordIsADamagedFile) {
  OneRecord record(Record(0x00E5, Join({Word(500), Word(0), Word(1), Word(0), Word(1)})));
  EXPECT_THROW(ReadXLSMergedCells(*sheet, record.Reader()), EWorkbookFileException);
}

TEST_F(MergedRangesTest, SpansBeyondABiffSheetAreCut) {
  TExportCell* cell = sheet->FindCreateCell(250, 0, TCellClass::Empty, false);
  cell->SetColSpan(20);
  cell->SetRowSpan(100000);
  EXPECT_EQ(test::Hex(WriteXLSMergedCells({XLSMergedArea(*cell, 250, 0)})),
            "E5 00 0A 00 01 00 00 00 FF FF FA 00 FF 00");
}

}  // namespace
}  // namespace workbook
