// The storage and the workbook-stream step over the shared corpus, against python3-olefile.
#include <gtest/gtest.h>

#include <algorithm>

#include "biff_builder.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/xls/ole_storage.h"
#include "workbook/formats/xls/xls_workbook_stream.h"
#include "xls_test_support.h"

using namespace workbook;
using namespace xls_test;

namespace {

struct PeerStream {
  std::u16string name;
  bool complete = false;
  std::vector<std::uint8_t> data;
};

struct PeerFile {
  bool opened = false;
  std::vector<PeerStream> streams;
};

// The name in lower case: the storage finds names whatever their letter case.
std::u16string NameFromHex(const std::string& hex) {
  const Bytes bytes = FromHex(hex);  // UTF-16LE
  std::u16string name;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char16_t c = bytes[i] | bytes[i + 1] << 8;
    name.push_back(c >= u'A' && c <= u'Z' ? c + 32 : c);
  }
  return name;
}

// Runs the peer over all files at once.
std::vector<PeerFile> PeerView(const std::vector<std::string>& files, const TScratchDir& dir) {
  std::vector<std::string> args{dir.Path()};
  args.insert(args.end(), files.begin(), files.end());
  std::vector<PeerFile> view(files.size());
  for (const std::string& line : SplitLines(RunPeer(kPeers + "ole_streams.py", args))) {
    const std::vector<std::string> f = SplitTabs(line);
    const std::size_t index = std::stoul(f[0]);
    if (f[1] == "open") view[index].opened = true;
    if (f[1] != "stream") continue;
    const std::size_t k = view[index].streams.size();
    view[index].streams.push_back(
        {NameFromHex(f[2]), f[4] == "complete",
         ReadFileBytes(dir.File(std::to_string(index) + "_" + std::to_string(k) + ".bin"))});
  }
  return view;
}

// The workbook-stream step takes "Workbook", else a BIFF8 "Book"; it fails with the file error
// (the old-format one for any other "Book") and no data where olefile finds neither whole.
void ExpectTheWorkbookStream(const std::string& path, const PeerFile& peer) {
  auto find = [&](const std::u16string& name) -> const PeerStream* {
    for (const PeerStream& s : peer.streams)
      if (s.name == name) return &s;
    return nullptr;
  };
  const PeerStream* workbook = find(u"workbook");
  const PeerStream* book = workbook ? nullptr : find(u"book");
  // BOF (0x0809) of version 0x0600
  const std::string bof = book && book->data.size() >= 6
                              ? ToHex(Bytes(book->data.begin(), book->data.begin() + 6))
                              : "";
  const bool biff8 = book && book->complete && bof.starts_with("0908") && bof.ends_with("0006");
  const PeerStream* expected = biff8 ? book : nullptr;
  if (workbook && workbook->complete && !HeaderContradictsFile(path)) expected = workbook;
  TMemoryStream source;
  source.LoadFromFile(path);
  try {
    const std::vector<std::uint8_t> stream = WorkbookStreamBytes(source);
    ASSERT_NE(expected, nullptr) << "read although the peer finds no sound workbook stream";
    EXPECT_EQ(stream, expected->data);
  } catch (const EWorkbookFileException& e) {
    EXPECT_EQ(expected, nullptr) << "failed although the peer reads the stream";
    EXPECT_EQ(e.Message(), book && !biff8 ? WorkbookLng_OldXLS : WorkbookLng_InvalidXLS);
  }
}

}  // namespace

// Every stream under the root reads as olefile reads it. Where olefile gets fewer bytes than the
// directory declares (it cuts damaged chains short) the storage reports damage, at the latest
// when that stream is read, and so it does where olefile cannot open the file.
TEST(XlsCorpus, StorageStreamsAgreeWithOlefile) {
  const std::vector<std::string> files = CorpusXlsFiles();
  if (files.empty()) GTEST_SKIP() << "shared corpus not found under " << SHARED_DIR;
  TScratchDir dir;
  const std::vector<PeerFile> peers = PeerView(files, dir);
  for (std::size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(files[i]);
    const PeerFile& peer = peers[i];
    TMemoryStream source;
    source.LoadFromFile(files[i]);
    ExpectTheWorkbookStream(files[i], peer);
    TOleStorage storage;
    try {
      storage.Open(source);
    } catch (const EOleStorageException&) {
      const bool peerSeesDamage =
          !peer.opened || std::any_of(peer.streams.begin(), peer.streams.end(),
                                      [](const PeerStream& s) { return !s.complete; });
      EXPECT_TRUE(peerSeesDamage || HeaderContradictsFile(files[i]));
      continue;
    }
    EXPECT_TRUE(peer.opened);
    for (const PeerStream& stream : peer.streams) {
      TMemoryStream target;
      if (stream.complete) {
        EXPECT_TRUE(storage.ReadStream(stream.name, target));
        EXPECT_EQ(target.Data(), stream.data);
      } else {
        EXPECT_THROW(storage.ReadStream(stream.name, target), EOleStorageException);
      }
    }
  }
}
