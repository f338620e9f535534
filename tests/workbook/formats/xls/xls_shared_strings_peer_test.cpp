// The shared-string table against python3-xlrd: on a file python3-xlwt writes at test time and on
// every BIFF8 file of the shared corpus.
#include <gtest/gtest.h>

#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/xls/xls_record_reader.h"
#include "workbook/formats/xls/xls_shared_strings.h"
#include "workbook/formats/xls/xls_workbook_stream.h"
#include "xls_test_support.h"

using namespace workbook;
using namespace xls_test;

namespace {

struct PeerString {
  std::u16string text;
  bool runsKnown = false;
  std::vector<TXLSRichTextRun> runs;
};

struct PeerTable {
  bool read = false;
  std::vector<PeerString> strings;
};

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

std::vector<PeerTable> PeerTables(const std::vector<std::string>& files) {
  std::vector<PeerTable> tables(files.size());
  for (const std::string& line : SplitLines(RunPeer(kPeers + "sst_xlrd.py", files))) {
    const std::vector<std::string> f = SplitTabs(line);
    PeerTable& table = tables[std::stoul(f[0])];
    if (f[1] == "sst") table.read = true;
    if (f[1] != "s") continue;
    PeerString s{platform::Utf8ToUtf16(FromHex(f[2])), f[3] != "-", {}};
    if (s.runsKnown && !f[3].empty()) {
      for (std::size_t start = 0; start < f[3].size();) {
        std::size_t comma = f[3].find(',', start);
        if (comma == std::string::npos) comma = f[3].size();
        const std::string pair = f[3].substr(start, comma - start);
        const std::size_t colon = pair.find(':');
        s.runs.push_back({static_cast<std::uint16_t>(std::stoul(pair.substr(0, colon))),
                          static_cast<std::uint16_t>(std::stoul(pair.substr(colon + 1)))});
        start = comma + 1;
      }
    }
    table.strings.push_back(std::move(s));
  }
  return tables;
}

// Loads the SST of the workbook globals; returns how many CONTINUE records follow it.
int LoadSst(TMemoryStream& workbook, TXLSSharedStrings_Import& table) {
  workbook.SetPosition(0);
  TXLSRecordReader reader(workbook);
  while (reader.Next() && reader.Id() != 0x000A) {
    if (reader.Id() != 0x00FC) continue;
    const std::int64_t sst = reader.Position();
    int continues = 0;
    while (reader.NextIsContinue()) {
      reader.NextContinue();
      ++continues;
    }
    workbook.SetPosition(sst);
    table.LoadFromStream(workbook);
    return continues;
  }
  return 0;
}

void ExpectSameTable(const TXLSSharedStrings_Import& ours, const PeerTable& peer) {
  ASSERT_EQ(ours.Count(), peer.strings.size());
  for (std::size_t i = 0; i < ours.Count(); ++i) {
    SCOPED_TRACE("string " + std::to_string(i));
    EXPECT_EQ(ours.GetString(i), peer.strings[i].text);
    if (peer.strings[i].runsKnown) {
      EXPECT_EQ(ours.GetEntry(i)->Runs(), peer.strings[i].runs);
    }
  }
}

}  // namespace

TEST(XlsSharedStringsPeer, XlwtTableOverManyContinueRecordsAgreesWithXlrd) {
  TScratchDir dir;
  const std::string file = dir.File("strings.xls");
  RunPeer(kPeers + "sst_xlwt.py", {file});
  const std::vector<PeerTable> peer = PeerTables({file});
  ASSERT_TRUE(peer[0].read);

  TFileStream source(file, TFileMode::OpenRead);
  TMemoryStream workbook;
  XLSReadWorkbookStream(source, workbook);
  TXLSSharedStrings_Import table;
  EXPECT_GE(LoadSst(workbook, table), 10);
  ExpectSameTable(table, peer[0]);
  std::size_t rich = 0;
  for (std::size_t i = 0; i < table.Count(); ++i) rich += !table.GetEntry(i)->Runs().empty();
  EXPECT_EQ(rich, 60u);
}

TEST(XlsSharedStringsPeer, CorpusTablesAgreeWithXlrd) {
  const std::vector<std::filesystem::path> files = CorpusXlsFiles();
  if (files.empty()) GTEST_SKIP() << "shared corpus not found under " << SHARED_DIR;
  std::vector<std::string> names;
  for (const auto& f : files) names.push_back(f.string());
  const std::vector<PeerTable> peer = PeerTables(names);
  int compared = 0;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!peer[i].read) continue;
    SCOPED_TRACE(names[i]);
    TMemoryStream source;
    source.LoadFromFile(names[i]);
    TMemoryStream workbook;
    try {
      XLSReadWorkbookStream(source, workbook);
    } catch (const EWorkbookFileException&) {
      continue;  // a damaged container; the storage tests judge those
    }
    TXLSSharedStrings_Import table;
    LoadSst(workbook, table);
    ExpectSameTable(table, peer[i]);
    ++compared;
  }
  EXPECT_GT(compared, 40);
}
