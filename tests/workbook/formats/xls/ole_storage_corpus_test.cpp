// The storage over the shared corpus, against python3-olefile.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "biff_builder.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/xls/ole_storage.h"
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

std::u16string NameFromHex(const std::string& hex) {
  const Bytes bytes = FromHex(hex);  // UTF-16LE
  std::u16string name;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    name.push_back(bytes[i] | bytes[i + 1] << 8);
  return name;
}

// Runs the peer over all files at once.
std::vector<PeerFile> PeerView(const std::vector<std::filesystem::path>& files,
                               const TScratchDir& dir) {
  std::vector<std::string> args{dir.Path()};
  for (const auto& f : files) args.push_back(f.string());
  std::vector<PeerFile> view(files.size());
  std::map<std::size_t, std::size_t> streamCount;
  for (const std::string& line : SplitLines(RunPeer(kPeers + "ole_streams.py", args))) {
    const std::vector<std::string> f = SplitTabs(line);
    const std::size_t index = std::stoul(f[0]);
    if (f[1] == "open") view[index].opened = true;
    if (f[1] != "stream") continue;
    const std::size_t k = streamCount[index]++;
    view[index].streams.push_back(
        {NameFromHex(f[2]), f[4] == "complete",
         ReadFileBytes(dir.File(std::to_string(index) + "_" + std::to_string(k) + ".bin"))});
  }
  return view;
}

}  // namespace

// Every stream under the root reads as olefile reads it. Where olefile gets fewer bytes than the
// directory declares (it cuts damaged chains short) the storage reports damage, at the latest
// when that stream is read, and so it does where olefile cannot open the file.
TEST(XlsCorpus, StorageStreamsAgreeWithOlefile) {
  const std::vector<std::filesystem::path> files = CorpusXlsFiles();
  if (files.empty()) GTEST_SKIP() << "shared corpus not found under " << SHARED_DIR;
  TScratchDir dir;
  const std::vector<PeerFile> peers = PeerView(files, dir);
  for (std::size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(files[i].string());
    const PeerFile& peer = peers[i];
    TMemoryStream source;
    source.LoadFromFile(files[i].string());
    TOleStorage storage;
    try {
      storage.Open(source);
    } catch (const EOleStorageException&) {
      const bool peerSeesDamage =
          !peer.opened || std::any_of(peer.streams.begin(), peer.streams.end(),
                                      [](const PeerStream& s) { return !s.complete; });
      EXPECT_TRUE(peerSeesDamage || HeaderContradictsFile(files[i].string()));
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
