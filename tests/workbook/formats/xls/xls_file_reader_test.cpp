// The XLS reader on hand-built streams: what it refuses (and with which message), and damaged or
// odd input it reads with a sane fallback.
#include <gtest/gtest.h>

#include "compound_file_builder.h"
#include "platform/text_codec.h"
#include "workbook/core/library_texts.h"
#include "xls_cell_dump.h"
#include "xls_workbook_builder.h"

using namespace xls_test;

namespace {

CellDump Read(const Bytes& workbookStream) {
  workbook::TMemoryStream file(XlsFile(workbookStream));
  return DumpWithReader(file);
}

std::string FileError(const std::u16string& text) {
  return "EWorkbookFileException: " + platform::Utf16ToUtf8(text);
}

Bytes OneSheet(const Bytes& records) { return WorkbookStream(StandardStyles(), {{u"S", records}}); }

struct RefusedCase {
  const char* name;
  Bytes stream;
  const std::u16string* message;
};

class XLSFileReaderRefuses : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(XLSFileReaderRefuses, WithTheFileException) {
  EXPECT_EQ(Read(GetParam().stream).failure, FileError(*GetParam().message));
}

Bytes WithoutLastRecord(Bytes stream) {
  stream.resize(stream.size() - Eof().size());
  return stream;
}

Bytes WithoutLastSheet(Bytes stream) {
  stream.resize(stream.size() - Join({Bof(0x0010), Number(0, 0, 15, 2), Eof()}).size());
  return stream;
}

Bytes WithLastRecordCut(Bytes stream) {
  // The worksheet's EOF goes and its NUMBER record claims 100 bytes of data the stream lacks.
  stream.resize(stream.size() - 4);
  stream[stream.size() - 16] = 100;
  return stream;
}

// A BOUNDSHEET of a worksheet whose substream was never written.
Bytes BoundSheet(const std::u16string& name) {
  return Record(0x0085, Join({DWord(0), Word(0), Bytes{static_cast<std::uint8_t>(name.size()), 0},
                              Chars(name, false)}));
}

const std::u16string* const kInvalid = &workbook::WorkbookLng_InvalidXLS;
const std::u16string* const kOld = &workbook::WorkbookLng_OldXLS;

const RefusedCase kRefused[] = {
    {"Encrypted",
     WorkbookStream(Join({Record(0x002F, Join({Word(1), Pattern(52, 1)})), StandardStyles()}),
                    {{u"S", Number(0, 0, 15, 1)}}),
     &workbook::WorkbookLng_EncryptedFile},
    {"Biff5Bof", Join({Bof(0x0005, 0x0500), Eof()}), kOld},
    {"Biff4Bof", Join({Record(0x0409, Join({Word(0), Word(0x0100), Word(0)})), Eof()}), kOld},
    {"NoBof", Join({Label(0, 0, u"x", false), Eof()}), kInvalid},
    {"WorksheetBofFirst", Join({Bof(0x0010), Eof()}), kInvalid},
    {"ShortNumber", OneSheet(Record(0x0203, Join({Word(0), Word(0), Word(15), DWord(0)}))),
     kInvalid},
    {"ColumnBeyond255", OneSheet(Number(0, 256, 15, 1)), kInvalid},
    {"MulRkBeyond255",
     OneSheet(Record(
         0x00BD, Join({Word(0), Word(255), Word(15), DWord(2), Word(15), DWord(2), Word(256)}))),
     kInvalid},
    {"MulBlankWithoutColumns", OneSheet(Record(0x00BE, Join({Word(0), Word(0), Word(0)}))),
     kInvalid},
    {"ShortBoolErr", OneSheet(Record(0x0205, Join({Word(0), Word(0), Word(15), {1}}))), kInvalid},
    {"RecordPastStreamEnd", WithLastRecordCut(OneSheet(Number(0, 0, 15, 1))), kInvalid},
    // Loading part of a sheet would pass for the whole file.
    {"StreamEndsBeforeSheetEof", WithoutLastRecord(OneSheet(Number(0, 0, 15, 1))), kInvalid},
    // Globals cut before their EOF would load as a workbook of fewer sheets, or of none.
    {"GlobalsWithoutEof", Join({Bof(0x0005), StandardStyles()}), kInvalid},
    {"GlobalsCutAfterFirstSheet",
     Join({Bof(0x0005), StandardStyles(), BoundSheet(u"A"), BoundSheet(u"B")}), kInvalid},
    {"SheetSubstreamsButNoneListed",
     Join({Bof(0x0005), StandardStyles(), Eof(), Bof(0x0010), Number(0, 0, 15, 1), Eof()}),
     kInvalid},
    {"ListedSheetMissing",
     WithoutLastSheet(WorkbookStream(StandardStyles(),
                                     {{u"A", Number(0, 0, 15, 1)}, {u"B", Number(0, 0, 15, 2)}})),
     kInvalid},
};

INSTANTIATE_TEST_SUITE_P(Damaged, XLSFileReaderRefuses, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });

struct ReadCase {
  const char* name;
  Bytes stream;
  std::map<std::tuple<int, int, int>, std::string> cells;
};

class XLSFileReaderReads : public ::testing::TestWithParam<ReadCase> {};

TEST_P(XLSFileReaderReads, TheExpectedCells) {
  const CellDump dump = Read(GetParam().stream);
  ASSERT_EQ(dump.failure, "");
  EXPECT_EQ(dump.cells, GetParam().cells);
}

Bytes Biff4(Bytes formula) {
  formula[1] = 0x04;
  return formula;
}

Bytes DateStyles() {
  // XF 16 shows dates.
  return Join({StandardStyles(), Format(164, u"dd.mm.yyyy"), CellXF(0, 164)});
}

const ReadCase kReads[] = {
    // The last-column word of MULRK and MULBLANK is not trusted: the size gives the columns.
    {"MulRkColumnsFromSize",
     OneSheet(Record(0x00BD,
                     Join({Word(0), Word(1), Word(15), DWord(6), Word(15), DWord(10), Word(200)}))),
     {{{0, 0, 1}, "1"}, {{0, 0, 2}, "2"}}},
    // Two XFs cover exactly columns 254 and 255: a MULBLANK read one cell too long would put a
    // cell beyond the sheet and fail the file.
    {"MulBlankUpToTheLastColumn",
     OneSheet(Join({Number(0, 0, 15, 1),
                    Record(0x00BE, Join({Word(0), Word(254), Word(15), Word(15), Word(255)}))})),
     {{{0, 0, 0}, "1"}}},
    {"SSTIndexOutsideTable",
     OneSheet(Record(0x00FD, Join({Word(0), Word(0), Word(15), DWord(7)}))),
     {}},
    {"XFIndexOutsideListFallsBackToXF0",
     WorkbookStream(DateStyles(),
                    {{u"S", Join({Number(0, 0, 16, 45000.75), Number(0, 1, 999, 45000.75)})}}),
     {{{0, 0, 0}, "2023-03-15"}, {{0, 0, 1}, "45000.75"}}},
    // A text formula whose STRING record never comes still gives its cell, with no text.
    {"FormulaStringWithoutStringRecord",
     OneSheet(Join({Formula(0, 0, FormulaOther(0, 0)), Number(0, 1, 15, 2)})),
     {{{0, 0, 1}, "2"}}},
    {"EmptyLabelIsBlank", OneSheet(Label(0, 0, u"", false)), {}},
    {"NoWorksheets", Join({Bof(0x0005), StandardStyles(), Eof()}), {}},
    // Damaged optional strings are dropped; the rest of the file loads.
    {"LabelWithoutOptionByte",
     OneSheet(
         Join({Record(0x0204, Join({Word(0), Word(0), Word(15), Word(0)})), Number(0, 1, 15, 2)})),
     {{{0, 0, 1}, "2"}}},
    {"LabelLongerThanRecord",
     OneSheet(Join(
         {Record(0x0204, Join({Word(0), Word(0), Word(15), Word(50), {0}, Chars(u"abc", false)})),
          Number(0, 1, 15, 2)})),
     {{{0, 0, 1}, "2"}}},
    {"TwoByteHeaderAndFooter",
     OneSheet(Join({Record(0x0014, Word(0)), Record(0x0015, Word(7)), Number(0, 0, 15, 3)})),
     {{{0, 0, 0}, "3"}}},
    {"FormatStringPastRecord",
     WorkbookStream(Join({StandardStyles(),
                          Record(0x041E, Join({Word(164), Word(20), {1}, Chars(u"0.0", true)})),
                          CellXF(0, 164)}),
                    {{u"S", Number(0, 0, 16, 7.25)}}),
     {{{0, 0, 0}, "7.25"}}},
    // The BIFF4 id of FORMULA, in the BIFF8 layout: value and cached result as FORMULA.
    {"Biff4FormulaId", OneSheet(Biff4(Formula(0, 0, FormulaNumber(42)))), {{{0, 0, 0}, "42"}}},
    {"ExternSheetCountBeyondRecord",
     WorkbookStream(
         Join({StandardStyles(), Record(0x0017, Join({Word(500), Word(0), Word(0), Word(0)}))}),
         {{u"S", Number(0, 0, 15, 7)}}),
     {{{0, 0, 0}, "7"}}},
};

INSTANTIATE_TEST_SUITE_P(Records, XLSFileReaderReads, ::testing::ValuesIn(kReads),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(XLSFileReader, SkipsAChartSheetBetweenWorksheets) {
  // The worksheet list leaves the chart sheet out; its substream, between the worksheets', is
  // passed over.
  const CellDump dump =
      Read(WorkbookStream(StandardStyles(), {{u"A", Number(0, 0, 15, 1)},
                                             {u"Graf", Number(5, 5, 15, 99), true},
                                             {u"B", Number(0, 0, 15, 2)}}));
  ASSERT_EQ(dump.failure, "");
  EXPECT_EQ(dump.sheets, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(dump.cells,
            (std::map<std::tuple<int, int, int>, std::string>{{{0, 0, 0}, "1"}, {{1, 0, 0}, "2"}}));
}

TEST(XLSFileReader, DamagedSharedStringsRaiseTheirOwnClass) {
  // A string of 5 characters with 2 present and no CONTINUE record after them.
  const Bytes sst = Record(0x00FC, Join({DWord(1), DWord(1), Word(5), {0}, Chars(u"ab", false)}));
  EXPECT_EQ(
      Read(WorkbookStream(Join({StandardStyles(), sst}), {{u"S", Number(0, 0, 15, 1)}})).failure,
      "EXLSSharedStrings: Expected CONTINUE not found.");
}

TEST(XLSFileReader, BareBiff4StreamIsAnOldFile) {
  // Excel 4.0 saved its BIFF records without a compound file around them.
  workbook::TMemoryStream bare(
      Join({Record(0x0409, Join({Word(0), Word(0x0010), Word(0)})), Eof()}));
  EXPECT_EQ(DumpWithReader(bare).failure, FileError(workbook::WorkbookLng_OldXLS));
}

}  // namespace
