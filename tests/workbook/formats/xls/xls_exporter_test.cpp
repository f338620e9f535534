// The XLS handler in the workbook: found by extension, the worksheets and cells it makes, the
// styles and number formats the cells get from their XF records.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <initializer_list>

#include "workbook/core/exceptions.h"
#include "workbook/formats/exporter_registry.h"
#include "workbook/model/cols.h"
#include "xls_book_fixture.h"
#include "xls_workbook_builder.h"

namespace workbook {
namespace {

using namespace xls_test;

class XLSExporterTest : public XlsBookTest {
 protected:
  void Load(const Bytes& stream) { LoadBytes(XlsFile(stream)); }
};

TEST_F(XLSExporterTest, RegisteredSecondForXlsAndXlt) {
  EXPECT_EQ(GetExporterRegistry()->Get(1)->Description, u"Excel 97, 2000, XP");
  for (const char16_t* extension : {u"xls", u"XLT"}) {
    TCustomExporter* exporter = nullptr;
    ASSERT_TRUE(GetExporterRegistry()->FindForExtension(extension, exporter));
    EXPECT_NE(dynamic_cast<TExporterXLS*>(exporter), nullptr);
  }
}

TEST_F(XLSExporterTest, CellsTakeClassFormatAndStyleFromTheirXF) {
  // Fonts 0-3, 5 and 6 (BIFF has no font 4): font 6 is bold. XF 16: a date format; XF 17: bold.
  const Bytes globals = Join({Record(0x0022, Word(1)), StandardStyles(), ArialFont(700),
                              Format(164, u"dd.mm.yyyy"), CellXF(0, 164), CellXF(6, 0)});
  Load(WorkbookStream(globals, {{u"S", Join({Number(0, 0, 16, 43538), Number(0, 1, 17, 2.5)})}}));
  EXPECT_TRUE(book_->Date1904);

  TExportCell* date = CellAt(0, 0, 0);
  ASSERT_NE(date, nullptr);
  EXPECT_EQ(date->CellClass(), TCellClass::DateTime);
  EXPECT_EQ(date->GetValueText(), u"2023-03-15");
  EXPECT_FALSE(date->HasStyle());  // looks like the default: no style of its own
  // and keeps the file's alignment, not the class's centre
  EXPECT_EQ(date->GetStyle().GetAlignment(), TExportCellStyle::haGeneral);

  TExportCell* bold = CellAt(0, 0, 1);
  ASSERT_NE(bold, nullptr);
  ASSERT_TRUE(bold->HasStyle());
  const TExportFont* font = book_->FontList.GetItem(bold->GetStyle().GetFontIndex());
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->GetStyle().Bold, 1);
}

// An XFEXT record for XF Index with full-colour extensions (type, colour type, tint, RGB).
Bytes XFExt(std::uint16_t index, std::initializer_list<std::array<std::uint32_t, 4>> colors) {
  Bytes data = Join({Word(0x087D), Bytes(12, 0), Word(index), Word(0),
                     Word(static_cast<std::uint16_t>(colors.size()))});
  for (const auto& [type, colorType, tint, rgb] : colors) {
    Append(data, Join({Word(static_cast<std::uint16_t>(type)), Word(20),
                       Word(static_cast<std::uint16_t>(colorType)),
                       Word(static_cast<std::uint16_t>(tint)), DWord(rgb), Bytes(8, 0)}));
  }
  return Record(0x087D, data);
}

TEST_F(XLSExporterTest, XFExtensionsGiveFullColours) {
  // XF 16: fill and font in RGB; XF 17: a tinted fill and a theme font colour stay as they were.
  const Bytes globals =
      Join({StandardStyles(), CellXF(0, 0), CellXF(0, 0),
            XFExt(16, {{4, 2, 0, 0x00563412}, {13, 2, 0, 0x00030201}}),
            XFExt(17, {{4, 2, 0x4000, 0x00563412}, {13, 3, 0, 1}}), XFExt(99, {{4, 2, 0, 1}})});
  Load(WorkbookStream(globals, {{u"S", Join({Number(0, 0, 16, 1), Number(0, 1, 17, 2)})}}));
  TExportCell* full = CellAt(0, 0, 0);
  ASSERT_TRUE(full->HasStyle());
  EXPECT_EQ(full->GetStyle().GetBGColor(), 0x563412);
  EXPECT_EQ(full->GetStyle().GetFont().GetColor(), 0x030201);
  TExportCell* kept = CellAt(0, 0, 1);
  EXPECT_NE(kept->HasStyle() ? kept->GetStyle().GetBGColor() : clNone, 0x563412);
}

Bytes RowRecord(std::uint16_t row, std::uint16_t height, std::uint32_t options) {
  return Record(
      0x0208, Join({Word(row), Word(0), Word(1), Word(height), Word(0), Word(0), DWord(options)}));
}

TEST_F(XLSExporterTest, RowRecordsGiveHeightOutlineAndVisibility) {
  Load(WorkbookStream(StandardStyles(),
                      {{u"A", Join({Record(0x0225, Join({Word(0), Word(300)})),
                                    RowRecord(0, 450, 0x0100 | 0x40 | 0x02),  // 30 px, level 2
                                    RowRecord(1, 450, 0x0100 | 0x20),         // hidden, automatic
                                    RowRecord(2, 0x8000 | 450, 0x0100 | 0x40), Number(0, 0, 15, 1),
                                    Number(3, 0, 15, 2)})}}));
  TExportWorkSheet* sheet = &Sheet(0);
  EXPECT_DOUBLE_EQ(sheet->Rows.DefaultRowHeight, 20.0);
  TExportRow* first = sheet->Rows.PeekItem(0);
  ASSERT_NE(first, nullptr);
  EXPECT_DOUBLE_EQ(first->Height, 30.0);
  EXPECT_EQ(first->OutlineLevel, 2);
  EXPECT_FALSE(first->Hidden);
  TExportRow* second = sheet->Rows.PeekItem(1);
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(second->Hidden);
  EXPECT_EQ(second->HeightMode, 2);
  EXPECT_EQ(sheet->Rows.PeekItem(2)->HeightMode, 2);
  // No ROW record: the default height.
  EXPECT_EQ(sheet->Rows.PeekItem(3)->HeightMode, 2);
  EXPECT_EQ(first->HeightMode, 0);
}

Bytes MergedCells(std::initializer_list<std::array<std::uint16_t, 4>> ranges, std::uint16_t count) {
  Bytes data = Word(count);
  for (const auto& r : ranges) Append(data, Join({Word(r[0]), Word(r[1]), Word(r[2]), Word(r[3])}));
  return Record(0x00E5, data);
}

TEST_F(XLSExporterTest, MergedRangesSpanTheirFirstCell) {
  // The range's first cell is not stored: an empty cell carries the spans. Rows given in reverse
  // span the same cells.
  Load(WorkbookStream(StandardStyles(), {{u"A", MergedCells({{4, 4, 3, 5}, {9, 8, 0, 0}}, 2)}}));
  TExportCell* empty = CellAt(0, 4, 3);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->CellClass(), TCellClass::Empty);
  EXPECT_EQ(empty->ColSpan(), 3);
  EXPECT_EQ(empty->RowSpan(), 1);
  EXPECT_EQ(CellAt(0, 9, 0), nullptr);
  ASSERT_NE(CellAt(0, 8, 0), nullptr);
  EXPECT_EQ(CellAt(0, 8, 0)->RowSpan(), 2);
}

Bytes Window2(std::uint16_t flags, std::uint16_t topRow, std::uint16_t leftCol) {
  return Record(0x023E, Join({Word(flags), Word(topRow), Word(leftCol), DWord(0), Word(60),
                              Word(100), DWord(0)}));
}

Bytes Pane(std::uint16_t cols, std::uint16_t rows) {
  return Record(0x0041, Join({Word(cols), Word(rows), Word(rows), Word(cols), {3, 0}}));
}

TEST_F(XLSExporterTest, WindowRecordsSetTheSheetView) {
  // Sheet A: top-left cell D11, summaries before their details, fit to page. Sheet B: an unfrozen
  // split (its PANE counts twips, not cells) and a zoom with denominator 0.
  Load(WorkbookStream(StandardStyles(),
                      {{u"A", Join({Window2(0x04B0 | 0x0008, 10, 3), Pane(1, 2),
                                    Record(0x0081, Word(0x04C1 | 0x0100))})},
                       {u"B", Join({Window2(0x04B0 | 0x0002 | 0x0004, 0, 0),
                                    Record(0x00A0, Join({Word(3), Word(0)})), Pane(1500, 3000),
                                    Record(0x0081, Word(0x0401))})}}));
  const TExportWindowSettings& a = Sheet(0).WindowSettings;
  EXPECT_EQ(a.TopLeftCell.GetText(), u"D11");
  EXPECT_FALSE(a.SummaryRowsAbove);
  EXPECT_FALSE(a.SummaryColsLeft);
  EXPECT_TRUE(Sheet(0).PageSettings.FitToPage);
  const TExportWindowSettings& b = Sheet(1).WindowSettings;
  EXPECT_FALSE(b.Split.IsSplit());
  EXPECT_EQ(b.Zoom, 100);
  EXPECT_TRUE(b.SummaryRowsAbove);
  EXPECT_TRUE(b.SummaryColsLeft);
  EXPECT_FALSE(Sheet(1).PageSettings.FitToPage);
}

TEST_F(XLSExporterTest, DefColWidthAndTabColourSetTheSheetsDefaults) {
  Load(WorkbookStream(
      StandardStyles(),
      {{u"A", Join({Record(0x0055, Word(10)),
                    Record(0x0862, Join({Word(0x0862), Bytes(14, 0), Word(10), Word(0)}))})}}));
  // 10 characters: 10 * 8 * Round(1.4 * digit width) / 10 pixels (88 for 8).
  EXPECT_DOUBLE_EQ(Sheet(0).Cols.DefaultWidth, 8 * std::round(1.4 * CharWidth()));
  // Palette index 10 of the default palette: red.
  EXPECT_EQ(Sheet(0).WindowSettings.TabColor, 0x0000FF);
}

// Short records, a merged range beyond the sheet's columns.
TEST_F(XLSExporterTest, DamagedSheetRecordsFailTheLoad) {
  for (const Bytes& record :
       {Record(0x0041, Word(1)), Record(0x00A0, Word(1)), Record(0x0026, DWord(0)),
        Record(0x0012, {}), MergedCells({{0, 1, 0, 300}}, 1)}) {
    EXPECT_THROW(Load(WorkbookStream(StandardStyles(),
                                     {{u"A", Join({Window2(0x04B0 | 0x0008, 0, 0), record})}})),
                 EWorkbookFileException);
  }
}

// The rows' progress runs to the sheet's used height as DIMENSIONS gives it, the whole sheet's
// height without one, and ends at its maximum.
TEST_F(XLSExporterTest, DimensionsGiveTheRowsProgressMaximum) {
  Bytes cells;
  for (std::uint16_t r = 0; r < 10000; ++r) Append(cells, Number(r, 0, 15, r));
  const Bytes dimensions =
      Record(0x0200, Join({DWord(0), DWord(10000), Word(0), Word(1), Word(0)}));
  const Bytes empty = Record(0x0200, Bytes(14, 0));
  const std::pair<Bytes, long long> cases[] = {
      {dimensions, 10000}, {empty, 65536}, {Bytes{}, 65536}};
  for (const auto& [record, max] : cases) {
    NewBook();
    book_->ShowProgress = true;
    std::vector<std::pair<long long, long long>> rows;
    book_->OnProgress = [&](TWorkbook&, int stage, long long position, long long maximum) {
      if (stage == wpsRows) rows.emplace_back(position, maximum);
    };
    Load(WorkbookStream(StandardStyles(), {{u"S", Join({record, cells})}}));
    EXPECT_EQ(rows, (std::vector<std::pair<long long, long long>>{{9999, max}, {max, max}})) << max;
  }
}

}  // namespace
}  // namespace workbook
