// The XLS reader's cells against python3-xlrd: on every .xls file of the shared corpus and on files
// python3-xlwt writes at test time.
#include <gtest/gtest.h>

#include <sstream>

#include "xls_cell_dump.h"
#include "xls_test_support.h"

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
  for (const auto& [key, text] : peer.cells) {
    if (!ours.cells.contains(key)) show(key, "", text);
  }
  if (shown > 8) out << "  ... " << shown - 8 << " more\n";
  return out.str();
}

void ExpectSameCells(const std::string& path, const CellDump& ours, const CellDump& peer) {
  ASSERT_EQ(ours.failure, "") << path;
  EXPECT_EQ(ours.sheets, peer.sheets) << path;
  const std::string differences = Differences(ours, peer);
  EXPECT_EQ(differences, "") << path << "\n" << differences;
}

bool StorageRefuses(const std::string& path) {
  return path.ends_with("xls2csv_ole_read_MSAT_body_637.xls") ||
         path.ends_with("xls2csv_ole_read_MSAT_body_687.xls");
}

TEST(XLSReaderPeer, CorpusFilesAgreeWithXlrdOrFailCleanly) {
  std::vector<std::string> paths;
  for (const auto& file : CorpusXlsFiles()) paths.push_back(file.string());
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
    if (found->second.biffVersion < 80 || StorageRefuses(path)) {
      EXPECT_NE(ours.failure, "") << path;
      continue;
    }
    ExpectSameCells(path, ours, found->second);
    ++compared;
  }
  EXPECT_GT(compared, 40);
}

}  // namespace
