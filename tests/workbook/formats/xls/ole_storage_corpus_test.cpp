// The storage and the workbook-stream step over the shared corpus, against python3-olefile.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

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
  const PeerStream* Find(const std::u16string& lowerName) const {
    for (const PeerStream& s : streams) {
      std::u16string lower = s.name;
      for (char16_t& c : lower) c = c >= u'A' && c <= u'Z' ? c + 32 : c;
      if (lower == lowerName) return &s;
    }
    return nullptr;
  }
};

std::u16string NameFromHex(const std::string& hex) {
  std::u16string name;
  for (std::size_t i = 0; i + 3 < hex.size(); i += 4) {
    name.push_back(static_cast<char16_t>(std::stoi(hex.substr(i, 2), nullptr, 16) |
                                         std::stoi(hex.substr(i + 2, 2), nullptr, 16) << 8));
  }
  return name;
}

std::vector<std::uint8_t> LoadBytes(const std::filesystem::path& path) {
  TMemoryStream stream;
  stream.LoadFromFile(path.string());
  return stream.Data();
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
         LoadBytes(dir.File(std::to_string(index) + "_" + std::to_string(k) + ".bin"))});
  }
  return view;
}

bool StartsWithBiff8Bof(const std::vector<std::uint8_t>& data) {
  return data.size() >= 6 && data[0] == 0x09 && data[1] == 0x08 && data[4] == 0 && data[5] == 6;
}

}  // namespace

class XlsCorpus : public testing::Test {
 protected:
  void SetUp() override {
    files_ = CorpusXlsFiles();
    if (files_.empty()) GTEST_SKIP() << "shared corpus not found under " << SHARED_DIR;
    peer_ = PeerView(files_, dir_);
  }
  std::vector<std::filesystem::path> files_;
  TScratchDir dir_;
  std::vector<PeerFile> peer_;
};

// Files that olefile reads although their header contradicts the file, and that the storage
// therefore refuses.
bool HeaderContradictsFile(const std::filesystem::path& file) {
  // They declare 8388610 and 8388609 FAT sectors in files of 226 and 71 sectors.
  return file.filename() == "xls2csv_ole_read_MSAT_body_637.xls" ||
         file.filename() == "xls2csv_ole_read_MSAT_body_687.xls";
}

// Every stream under the root reads as olefile reads it. Where olefile gets fewer bytes than the
// directory declares (it cuts damaged chains short) the storage reports damage, at the latest
// when that stream is read, and so it does where olefile cannot open the file.
TEST_F(XlsCorpus, StorageStreamsAgreeWithOlefile) {
  for (std::size_t i = 0; i < files_.size(); ++i) {
    SCOPED_TRACE(files_[i].string());
    const PeerFile& peer = peer_[i];
    TMemoryStream source;
    source.LoadFromFile(files_[i].string());
    TOleStorage storage;
    try {
      storage.Open(source);
    } catch (const EOleStorageException&) {
      const bool peerSeesDamage =
          !peer.opened || std::any_of(peer.streams.begin(), peer.streams.end(),
                                      [](const PeerStream& s) { return !s.complete; });
      EXPECT_TRUE(peerSeesDamage || HeaderContradictsFile(files_[i]));
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

TEST_F(XlsCorpus, EveryFileYieldsItsWorkbookStreamOrTheFileError) {
  for (std::size_t i = 0; i < files_.size(); ++i) {
    SCOPED_TRACE(files_[i].string());
    const PeerFile& peer = peer_[i];
    const std::vector<std::uint8_t>* expected = nullptr;
    std::u16string message = WorkbookLng_InvalidXLS;
    if (const PeerStream* workbook = peer.Find(u"workbook")) {
      if (workbook->complete && !HeaderContradictsFile(files_[i])) expected = &workbook->data;
    } else if (const PeerStream* book = peer.Find(u"book")) {
      if (book->complete && StartsWithBiff8Bof(book->data)) {
        expected = &book->data;
      } else {
        message = WorkbookLng_OldXLS;
      }
    }
    TMemoryStream source;
    source.LoadFromFile(files_[i].string());
    TMemoryStream target;
    try {
      XLSReadWorkbookStream(source, target);
      ASSERT_NE(expected, nullptr) << "read although the peer finds no sound workbook stream";
      EXPECT_EQ(target.Data(), *expected);
    } catch (const EWorkbookFileException& e) {
      EXPECT_EQ(expected, nullptr) << "failed although the peer reads the stream";
      EXPECT_EQ(e.Message(), message);
      EXPECT_EQ(target.Size(), 0);
    }
  }
}
