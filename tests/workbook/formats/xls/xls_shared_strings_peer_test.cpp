// The shared-string table, texts and rich-text runs, against python3-xlrd on every BIFF8 file of
// the shared corpus.
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

// Loads the SST of the workbook globals.
void LoadSst(TMemoryStream& workbook, TXLSSharedStrings_Import& table) {
  workbook.SetPosition(0);
  TXLSRecordReader reader(workbook);
  while (reader.Next() && reader.Id() != 0x000A) {
    if (reader.Id() != 0x00FC) continue;
    workbook.SetPosition(reader.Position());
    table.LoadFromStream(workbook);
    return;
  }
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
