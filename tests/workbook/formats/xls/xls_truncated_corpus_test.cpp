// Real .xls files cut short at every 512-byte step, as a broken download or a full disk leaves
// them: each cut either loads every worksheet the whole file has or is refused with the file
// exception, never a workbook that silently lacks sheets.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "xls_cell_dump.h"
#include "xls_test_support.h"
#include "xls_workbook_builder.h"

using namespace xls_test;

namespace {

constexpr std::size_t kStep = 512;
const char* const kFiles[] = {"profiles.xls", "Formate.xls", "types.xls"};

Bytes FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ExpectWholeOrRefused(const CellDump& cut, const CellDump& whole, std::size_t size) {
  if (!cut.failure.empty()) {
    EXPECT_TRUE(cut.failure.starts_with("EWorkbookFileException: ")) << size << ": " << cut.failure;
    return;
  }
  EXPECT_EQ(cut.sheets, whole.sheets) << "loaded short when cut at " << size;
}

class XLSTruncatedCorpus : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    path_ = CorpusXlsFile(GetParam());
    if (path_.empty()) GTEST_SKIP() << "shared corpus not found under " << SHARED_DIR;
    whole_ = DumpWithReader(path_);
    ASSERT_EQ(whole_.failure, "");
    ASSERT_GT(whole_.sheets.size(), 1u);
  }
  std::string path_;
  CellDump whole_;
};

TEST_P(XLSTruncatedCorpus, FileCutAtEachStep) {
  const Bytes file = FileBytes(path_);
  for (std::size_t size = kStep; size < file.size(); size += kStep) {
    workbook::TMemoryStream cut(Bytes(file.begin(), file.begin() + size));
    ExpectWholeOrRefused(DumpWithReader(cut), whole_, size);
  }
}

// The compound file stays whole and only its "Workbook" stream ends early.
TEST_P(XLSTruncatedCorpus, WorkbookStreamCutAtEachStep) {
  workbook::TMemoryStream file(FileBytes(path_));
  const Bytes stream = WorkbookStreamBytes(file);
  for (std::size_t size = kStep; size < stream.size(); size += kStep) {
    workbook::TMemoryStream cut(XlsFile(Bytes(stream.begin(), stream.begin() + size)));
    ExpectWholeOrRefused(DumpWithReader(cut), whole_, size);
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, XLSTruncatedCorpus, ::testing::ValuesIn(kFiles),
                         [](const auto& info) {
                           std::string name = info.param;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
