// The shared-string table, texts and rich-text runs, against python3-xlrd on every BIFF8 file of
// the shared corpus.
#include <gtest/gtest.h>

#include <optional>

#include "biff_builder.h"
#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/xls/xls_record_reader.h"
#include "workbook/formats/xls/xls_shared_strings.h"
#include "workbook/formats/xls/xls_workbook_stream.h"
#include "xls_test_support.h"

using namespace workbook;
using namespace xls_test;

namespace {

// The table of the workbook globals as the peer prints it: per string its UTF-8 text in hex,
// a tab and the runs as "position:font" pairs joined by commas.
std::vector<std::string> OurTable(TOleStreamReader& workbook) {
  TXLSSharedStrings_Import table;
  TXLSRecordReader reader(workbook);
  while (reader.Next() && reader.Id() != 0x000A) {
    if (reader.Id() != 0x00FC) continue;
    table.LoadFromStream(workbook, reader.Position());
    break;
  }
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < table.Count(); ++i) {
    const std::string text = platform::Utf16ToUtf8(table.GetString(i));
    std::string line = ToHex(Bytes(text.begin(), text.end())) + "\t";
    for (const TXLSRichTextRun& run : table.GetEntry(i)->Runs())
      line += (line.back() == '\t' ? "" : ",") + std::to_string(run.Position) + ":" +
              std::to_string(run.FontIndex);
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

TEST(XlsSharedStringsPeer, CorpusTablesAgreeWithXlrd) {
  const std::vector<std::string> files = CorpusXlsFiles();
  if (files.empty()) GTEST_SKIP() << "shared corpus not found under " << SHARED_DIR;
  // Lines "index<TAB>sst<TAB>count", then "index<TAB>s<TAB>text<TAB>runs" per string; runs are
  // "-" where xlrd could not read formatting.
  std::vector<std::vector<std::string>> peer(files.size());
  std::vector<bool> read(files.size());
  for (const std::string& line : SplitLines(RunPeer(kPeers + "sst_xlrd.py", files))) {
    const std::vector<std::string> f = SplitTabs(line);
    read[std::stoul(f[0])] = read[std::stoul(f[0])] || f[1] == "sst";
    if (f[1] == "s") peer[std::stoul(f[0])].push_back(f[2] + "\t" + f[3]);
  }
  int compared = 0;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!read[i]) continue;
    SCOPED_TRACE(files[i]);
    TMemoryStream source;
    source.LoadFromFile(files[i]);
    std::optional<TOleStreamReader> workbook;
    try {
      workbook.emplace(XLSOpenWorkbookStream(source));
    } catch (const EWorkbookFileException&) {
      continue;  // a damaged container; the storage tests judge those
    }
    const std::vector<std::string> ours = OurTable(*workbook);
    ASSERT_EQ(ours.size(), peer[i].size());
    for (std::size_t k = 0; k < ours.size(); ++k) {
      std::string actual = ours[k], expected = peer[i][k];
      if (expected.ends_with("\t-")) {  // compare the texts only
        expected.pop_back();
        actual.resize(actual.find('\t') + 1);
      }
      EXPECT_EQ(actual, expected) << "string " << k;
    }
    ++compared;
  }
  EXPECT_GT(compared, 40);
}
