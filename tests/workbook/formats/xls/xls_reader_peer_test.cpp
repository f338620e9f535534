// The XLS reader's cells against python3-xlrd: on every .xls file of the shared corpus and on files
// python3-xlwt writes at test time.
#include <gtest/gtest.h>

#include <sstream>

#include "../python_peer.h"
#include "compound_file_builder.h"
#include "workbook/formats/xls/ole_stream_reader.h"
#include "xls_cell_dump.h"
#include "xls_test_support.h"
#include "xls_workbook_builder.h"

using namespace xls_test;

namespace {

// Lists the cells where the two dumps differ (at most a few, to keep failures readable).
std::string Differences(const CellDump& ours, const CellDump& peer) {
  std::ostringstream out;
  int shown = 0;
  auto show = [&](const std::tuple<int, int, int>& key, const std::string& a,
                  const std::string& b) {
    if (shown++ < 8) {
      out << "  sheet " << std::get<0>(key) << " row " << std::get<1>(key) << " col "
          << std::get<2>(key) << ": ours \"" << a << "\" xlrd \"" << b << "\"\n";
    }
  };
  for (const auto& [key, text] : ours.cells) {
    const auto found = peer.cells.find(key);
    const std::string other = found == peer.cells.end() ? "" : found->second;
    if (other != text) show(key, text, other);
  }
  for (const auto& [key, text] : peer.cells)
    if (!ours.cells.contains(key)) show(key, "", text);
  if (shown > 8) out << "  ... " << shown - 8 << " more\n";
  return out.str();
}

void ExpectSameCells(const std::string& path, const CellDump& ours, const CellDump& peer) {
  ASSERT_EQ(ours.failure, "") << path;
  EXPECT_EQ(ours.sheets, peer.sheets) << path;
  const std::string differences = Differences(ours, peer);
  EXPECT_EQ(differences, "") << path << "\n" << differences;
}

TEST(XLSReaderPeer, CorpusFilesAgreeWithXlrdOrFailCleanly) {
  const std::vector<std::string> paths = CorpusXlsFiles();
  if (paths.empty()) GTEST_SKIP() << "the shared corpus (" SHARED_DIR "/corpus) is absent";
  const std::map<std::string, CellDump> peer = DumpWithXlrd(paths);
  int compared = 0;
  for (const std::string& path : paths) {
    // Every file either loads or fails with the library's exception (DumpWithReader lets
    // nothing else through).
    const CellDump ours = DumpWithReader(path);
    const auto found = peer.find(path);
    if (found == peer.end() || !found->second.failure.empty()) continue;
    // Files xlrd reads but we refuse: BIFF5 and older, which the library does not read, and
    // two whose compound-file header contradicts the file (the storage refuses them).
    if (found->second.biffVersion < 80) {
      EXPECT_NE(ours.failure.find("old XLS format"), std::string::npos) << path;
      continue;
    }
    if (HeaderContradictsFile(path)) {
      EXPECT_NE(ours.failure, "") << path;
      continue;
    }
    ExpectSameCells(path, ours, found->second);
    ++compared;
  }
  EXPECT_GT(compared, 40);
}

}  // namespace

namespace {

// Cells python3-xlwt writes: shared strings over CONTINUE records, rich text, RK and NUMBER
// values, dates in either date system, Booleans, errors, several sheets.
class XLSReaderXlwt : public ::testing::TestWithParam<const char*> {};

TEST_P(XLSReaderXlwt, AgreesWithXlrd) {
  TScratchDir dir;
  const std::string path = dir.File("cells.xls");
  RunPeer(kPeers + "cells_xlwt.py", {path, GetParam()});
  const CellDump ours = DumpWithReader(path);
  const CellDump peer = DumpWithXlrd({path})[path];
  ExpectSameCells(path, ours, peer);
  // A few values checked outright, so that a fault both readers share cannot hide.
  const auto cell = [&](int sheet, int row, int col) {
    const auto found = ours.cells.find({sheet, row, col});
    return found == ours.cells.end() ? std::string("<none>") : found->second;
  };
  EXPECT_EQ(ours.sheets, (std::vector<std::string>{"Texty", "Hodnoty", "Prázdny"}));
  EXPECT_EQ(cell(0, 0, 1), "line one\r\nline two");
  EXPECT_EQ(cell(1, 0, 1), "2023-03-15");
  EXPECT_EQ(cell(1, 1, 1), "2024-02-29 13:45:30");
  EXPECT_EQ(cell(1, 2, 1), "07:08:09");
  EXPECT_EQ(cell(1, 8, 0), "3.14159265358979");
  EXPECT_EQ(cell(1, 0, 2), "1");
  EXPECT_EQ(cell(1, 3, 2), "<none>");  // an error value has no text
  EXPECT_EQ(cell(2, 10, 255), "last column");
}

INSTANTIATE_TEST_SUITE_P(DateSystems, XLSReaderXlwt, ::testing::Values("1900", "1904"));

// A file whose Workbook stream is larger than the reader's window, its shared strings over many
// CONTINUE records and across the window's end, read from the file: as python3-xlwt wrote it (the
// stream's sectors in order) and with the stream's sectors laid in reverse order.
TEST(XLSReaderXlwtLarge, AgreesWithXlrdWhateverTheSectorOrder) {
  TScratchDir dir;
  const std::string path = dir.File("large.xls");
  RunPeer(kPeers + "large_xlwt.py", {path});
  workbook::TMemoryStream written;
  written.LoadFromFile(path);
  const std::vector<std::uint8_t> stream = WorkbookStreamBytes(written);
  ASSERT_GT(stream.size(), 2 * workbook::TOleStreamReader::kWindowSize);
  CompoundFile reversed = BuildCompoundFile({{u"Workbook", stream}});
  reversed.ReverseChain(1);
  const std::string reversedPath = dir.File("reversed.xls");
  test_support::WriteFileBytes(reversedPath, reversed.bytes);

  std::map<std::string, CellDump> peer = DumpWithXlrd({path, reversedPath});
  ASSERT_EQ(peer[path].cells.size(), 2u * 6000 * 3 + 2 * 120);
  for (const std::string& file : {path, reversedPath}) {
    SCOPED_TRACE(file);
    ExpectSameCells(file, DumpWithReader(file), peer[file]);
  }
}

// Records python3-xlwt does not write: formulas with cached text, Boolean, error and empty
// results (the text in the STRING record that follows, even past an ARRAY record), MULRK and
// MULBLANK, an embedded chart substream inside the worksheet.
Bytes FormulaSheet() {
  return Join({
      Formula(0, 0, FormulaNumber(3.5)),
      Formula(0, 1, FormulaOther(0, 0)),
      StringRecord(u"ab \u010D\u0161", true),
      Formula(0, 2, FormulaOther(0, 0)),
      Record(0x0221, Join({Word(0), Word(0), {2, 2}, Word(0), DWord(0), Word(3), {0x1E}, Word(1)})),
      StringRecord(u"after array", false),
      Formula(0, 3, FormulaOther(1, 1)),
      Formula(0, 4, FormulaOther(1, 0)),
      Formula(0, 5, FormulaOther(2, 0x07)),
      Formula(0, 6, FormulaOther(3, 0)),
      Record(0x0205, Join({Word(0), Word(7), Word(15), {0x2A, 1}})),
      Record(0x0205, Join({Word(0), Word(8), Word(15), {1, 0}})),
      // MULRK: 100 as an integer RK, 1.25 as RK with the /100 flag (125 / 100).
      Record(0x00BD, Join({Word(1), Word(2), Word(15), DWord((100u << 2) | 2), Word(15),
                           DWord((125u << 2) | 3), Word(3)})),
      Record(0x00BE, Join({Word(2), Word(0), Word(15), Word(15), Word(15), Word(2)})),
      Bof(0x0020),
      Number(0, 0, 15, 999),
      Eof(),
      Number(3, 0, 15, -2.5),
      Label(3, 1, u"still read", false),
  });
}

TEST(XLSReaderHandBuilt, FormulaResultsAgreeWithXlrd) {
  TScratchDir dir;
  const std::string path = dir.File("formulas.xls");
  const Bytes stream =
      WorkbookStream(StandardStyles(),
                     {{u"Vzorce", FormulaSheet()}, {u"Druh\u00FD", Label(0, 0, u"second", false)}});
  test_support::WriteFileBytes(path, XlsFile(stream));
  const CellDump ours = DumpWithReader(path);
  ExpectSameCells(path, ours, DumpWithXlrd({path})[path]);
  const std::map<std::tuple<int, int, int>, std::string> expected = {
      {{0, 0, 0}, "3.5"},        {{0, 0, 1}, "ab čš"},  {{0, 0, 2}, "after array"},
      {{0, 0, 3}, "1"},          {{0, 0, 4}, "0"},      {{0, 0, 8}, "1"},
      {{0, 1, 2}, "100"},        {{0, 1, 3}, "1.25"},   {{0, 3, 0}, "-2.5"},
      {{0, 3, 1}, "still read"}, {{1, 0, 0}, "second"},
  };
  EXPECT_EQ(ours.cells, expected);
}

// DIMENSIONS only sizes the row list: a record that claims too few rows, far too many, none, an
// end before its start, or no record at all, gives the same cells, as xlrd reads them.
TEST(XLSReaderHandBuilt, RowsAreReadWhateverDimensionsClaims) {
  const auto dimensions = [](std::uint32_t first, std::uint32_t end) {
    return Record(0x0200, Join({DWord(first), DWord(end), Word(0), Word(2), Word(0)}));
  };
  Bytes cells;
  for (std::uint16_t r = 0; r < 300; ++r) {
    Append(cells, Number(r, 0, 15, r));
    if (r % 3 == 0) Append(cells, Label(r, 1, u"row " + std::u16string(1, u'a' + r % 26), false));
  }
  Append(cells, Label(4000, 1, u"far", false));
  const Bytes claims[] = {dimensions(0, 4001),
                          dimensions(0, 5),
                          dimensions(0, 70000),
                          dimensions(0, 0xFFFFFFFF),
                          dimensions(300, 10),
                          dimensions(0, 0),
                          Bytes{}};
  std::vector<TestSheet> sheets;
  for (const Bytes& claim : claims)
    sheets.push_back({u"S" + std::u16string(1, u'0' + sheets.size()), Join({claim, cells})});
  TScratchDir dir;
  const std::string path = dir.File("dimensions.xls");
  test_support::WriteFileBytes(path, XlsFile(WorkbookStream(StandardStyles(), sheets)));
  const CellDump ours = DumpWithReader(path);
  ExpectSameCells(path, ours, DumpWithXlrd({path})[path]);
  EXPECT_EQ(ours.cells.size(), std::size(claims) * (300 + 100 + 1));
  EXPECT_EQ(ours.cells.at({6, 4000, 1}), "far");
}

// Cells are taken as they come, in any row order: a row the cells left and come back to takes
// the later ones too.
TEST(XLSReaderHandBuilt, CellsComingBackToARowTheyLeftAreKept) {
  const Bytes cells = Join({Number(0, 0, 15, 1), Number(0, 1, 15, 2), Number(1, 0, 15, 3),
                            Label(0, 2, u"back", false), Number(2, 4, 15, 4), Number(1, 7, 15, 5),
                            Number(0, 3, 15, 6)});
  TScratchDir dir;
  const std::string path = dir.File("order.xls");
  test_support::WriteFileBytes(path, XlsFile(WorkbookStream(StandardStyles(), {{u"S", cells}})));
  const CellDump ours = DumpWithReader(path);
  ExpectSameCells(path, ours, DumpWithXlrd({path})[path]);
  const std::map<std::tuple<int, int, int>, std::string> expected = {
      {{0, 0, 0}, "1"}, {{0, 0, 1}, "2"}, {{0, 0, 2}, "back"}, {{0, 0, 3}, "6"},
      {{0, 1, 0}, "3"}, {{0, 1, 7}, "5"}, {{0, 2, 4}, "4"},
  };
  EXPECT_EQ(ours.cells, expected);
}

}  // namespace
