#include "workbook/formats/zip/zip_archive.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>

#include "platform/text_codec.h"
#include "support/thrown.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/python_peer.h"
#include "workbook/formats/zip/compression_stream.h"
#include "workbook/model/load_budget.h"

using namespace workbook;
using test_support::PythonAvailable;
using test_support::ReadFileBytes;
using test_support::TScratchDir;
using test_support::WriteFileBytes;

namespace {

TMemoryStream Bytes(const std::string& text) {
  return TMemoryStream(std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::string Extract(TZipArchive& zip, const std::u16string& name) {
  TMemoryStream out;
  EXPECT_TRUE(zip.ExtractToStream(name, out)) << "missing entry";
  return out.AsString();
}

void Add(TZipArchive& zip, const std::u16string& name, const std::string& data) {
  TMemoryStream in = Bytes(data);
  zip.AddFile(name, in);
}

// Opens and inflates everything; only EZipFileInvalid may come out of a damaged archive.
void ReadEverything(TMemoryStream& stream) {
  TZipArchive zip(stream, TZipArchiveMode::Read);
  for (int i = 0; i < zip.GetCount(); ++i) {
    std::unique_ptr<TMemoryStream> out;
    std::int64_t size;
    zip.ExtractIndexToMemoryStream(i, out, size);
  }
}

class PythonZip : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not installed";
  }
  // The archive the peer makes (see peers/zip_peer.py).
  TMemoryStream MadeByPython(std::vector<std::string> kind) {
    kind.insert(kind.begin() + 1, dir_.File("out.zip"));
    Peer(kind);
    return TMemoryStream(ReadFileBytes(dir_.File("out.zip")));
  }
  // What Python's zipfile sees in our archive: testzip's result, then name|type|content lines.
  std::string SeenByPython(const TMemoryStream& archive) {
    WriteFileBytes(dir_.File("ours.zip"), archive.Data());
    return Peer({"show", dir_.File("ours.zip")});
  }
  static std::string Peer(const std::vector<std::string>& args) {
    return test_support::RunPeer("workbook/formats/zip/peers/zip_peer.py", args);
  }
  TScratchDir dir_;
};

}  // namespace

TEST_F(PythonZip, CreatedArchiveIsCompleteAfterEveryAdd) {
  TMemoryStream target;
  TZipArchive zip(target, TZipArchiveMode::Create);
  Add(zip, u"mimetype", "application/vnd.oasis.opendocument.spreadsheet");
  EXPECT_EQ(SeenByPython(target),
            "None\nmimetype|8|application/vnd.oasis.opendocument.spreadsheet\n");
  Add(zip, u"xl\\worksheets\\sheet1.xml", "<worksheet/>");
  Add(zip, u"docProps/", "dir-like name");
  Add(zip, u"Zošit/č.xml", "ľščť");
  EXPECT_EQ(SeenByPython(target),
            "None\n"
            "mimetype|8|application/vnd.oasis.opendocument.spreadsheet\n"
            "xl/worksheets/sheet1.xml|8|<worksheet/>\n"
            "docProps|8|dir-like name\n"
            "Zošit/č.xml|8|ľščť\n");
  zip.Save();
  EXPECT_EQ(SeenByPython(target).substr(0, 5), "None\n");
}

TEST_F(PythonZip, AddingANameTwiceKeepsTheLaterDataInPlace) {
  TMemoryStream target;
  TZipArchive zip(target, TZipArchiveMode::Create);
  Add(zip, u"a.xml", std::string(5000, 'a'));
  Add(zip, u"b.xml", "b");
  Add(zip, u"a.xml", "short");
  EXPECT_EQ(SeenByPython(target), "None\na.xml|8|short\nb.xml|8|b\n");
  EXPECT_EQ(zip.GetCount(), 2);
}

TEST_F(PythonZip, DeflatedPiecesJoinIntoOneEntry) {
  // An empty piece, and pieces larger than the wrapper's buffers, join like any others.
  const std::vector<std::string> texts = {"<head>", "", std::string(300000, 'r') + "x", "</head>"};
  std::vector<std::unique_ptr<TMemoryStream>> pieces;
  std::vector<TStream*> parts;
  for (const std::string& text : texts) {
    pieces.push_back(std::make_unique<TMemoryStream>());
    TCompressionStream packer(*pieces.back());
    packer.WriteString(text);
    packer.Finish();
    parts.push_back(pieces.back().get());
  }
  TMemoryStream target;
  TZipArchive zip(target, TZipArchiveMode::Create);
  Add(zip, u"before.xml", "b");
  zip.AddDeflated(u"joined.xml", parts);
  pieces.clear();  // read when added
  Add(zip, u"after.xml", "a");
  zip.AddDeflated(u"nothing.xml", {});
  const std::string joined = texts[0] + texts[2] + texts[3];
  // Python checks the CRC and the sizes of every entry (testzip prints None when all agree).
  EXPECT_EQ(SeenByPython(target),
            "None\nbefore.xml|8|b\njoined.xml|8|" + joined + "\nafter.xml|8|a\nnothing.xml|8|\n");
  EXPECT_EQ(Extract(zip, u"joined.xml"), joined);
}

TEST(ZipArchive, DeflatedPiecesMustBeFinishedBuffers) {
  TMemoryStream target;
  TZipArchive zip(target, TZipArchiveMode::Create);
  TMemoryStream plain(std::vector<std::uint8_t>(40, 'p'));
  EXPECT_THROW(zip.AddDeflated(u"bad.xml", {&plain}), EWorkbookException);
  EXPECT_EQ(zip.GetCount(), 0);
}

namespace {

// An entry's data that notes, at each read, how large the archive's stream has grown.
class TWatchedData : public TStream {
 public:
  TWatchedData(TStream& archive, std::size_t size) : archive_(archive), left_(size) {}
  std::size_t Read(void* buffer, std::size_t count) override {
    archiveSizes.push_back(archive_.Size());
    const std::size_t n = std::min(count, left_);
    // Bytes deflate does not shrink, so the entry is as large as its data.
    for (std::size_t i = 0; i < n; ++i) static_cast<std::uint8_t*>(buffer)[i] = random_();
    left_ -= n;
    return n;
  }
  std::size_t Write(const void*, std::size_t) override { return 0; }
  std::int64_t Seek(std::int64_t, TSeekOrigin) override { return 0; }
  std::int64_t Size() override { return static_cast<std::int64_t>(left_); }
  std::vector<std::int64_t> archiveSizes;

 private:
  TStream& archive_;
  std::size_t left_;
  std::minstd_rand random_;
};

// A disk of a fixed size: writing past it fails as a full disk does.
class TSmallDiskStream : public TMemoryStream {
 public:
  std::size_t Write(const void* buffer, std::size_t count) override {
    if (Position() + static_cast<std::int64_t>(count) > Capacity)
      throw EWorkbookException(u"Cannot write file \"small.zip\": disk full.");
    return TMemoryStream::Write(buffer, count);
  }
  std::int64_t Capacity = INT64_MAX;
};

}  // namespace

// The archive goes to its stream while libzip writes it, not collected to be copied at the end:
// halfway through reading a 4 MB entry the stream holds the part deflated so far.
TEST(ZipArchive, AnAddGoesToTheStreamAsItIsWritten) {
  constexpr std::size_t kSize = 4 << 20;
  TMemoryStream target;
  TZipArchive zip(target, TZipArchiveMode::Create);
  Add(zip, u"mimetype", "application/vnd.oasis.opendocument.spreadsheet");
  TWatchedData data(target, kSize);
  zip.AddFile(u"content.xml", data);
  ASSERT_GT(data.archiveSizes.size(), 4u);
  EXPECT_GT(data.archiveSizes[data.archiveSizes.size() / 2], static_cast<std::int64_t>(kSize / 4));
  EXPECT_GT(target.Size(), static_cast<std::int64_t>(kSize));
}

// An add that fills the disk raises the stream's message; the stream then holds the archive of
// the entries before, to which later adds go on.
TEST_F(PythonZip, AnAddThatFillsTheDiskLeavesTheArchiveBefore) {
  TSmallDiskStream target;
  TZipArchive zip(target, TZipArchiveMode::Create);
  Add(zip, u"a.xml", "first");
  target.Capacity = target.Size() + 2000;
  std::string big;
  for (int i = 0; i < 20000; ++i) big += std::to_string(i * 7919 % 10007);
  EXPECT_EQ(test_support::Thrown<EWorkbookException>([&] { Add(zip, u"b.xml", big); }),
            "Cannot write file \"small.zip\": disk full.");
  EXPECT_EQ(SeenByPython(target), "None\na.xml|8|first\n");
  Add(zip, u"c.xml", "third");
  EXPECT_EQ(SeenByPython(target), "None\na.xml|8|first\nc.xml|8|third\n");
}

TEST_F(PythonZip, UpdateReplacesAndAppendsOnAnotherToolsArchive) {
  TMemoryStream stream = MadeByPython({"two"});
  TZipArchive zip(stream, TZipArchiveMode::Update);
  Add(zip, u"one.txt", "replaced");
  Add(zip, u"three.txt", "third");
  std::string second;
  for (int i = 0; i < 100; ++i) second += "second";
  EXPECT_EQ(SeenByPython(stream),
            "None\none.txt|8|replaced\ntwo.txt|8|" + second + "\nthree.txt|8|third\n");
}

TEST_F(PythonZip, ReadsStoredDeflatedBackslashedAndStreamedEntries) {
  TMemoryStream stream = MadeByPython({"streamed"});
  TZipArchive zip(stream, TZipArchiveMode::Read);
  ASSERT_EQ(zip.GetCount(), 3);
  EXPECT_EQ(zip.GetFileName(1), u"xl\\worksheets\\sheet1.xml");
  EXPECT_EQ(Extract(zip, u"stored.txt"), "plain");
  EXPECT_EQ(Extract(zip, u"streamed.txt"), "by descriptor");
  EXPECT_EQ(Extract(zip, u"xl\\worksheets/sheet1.xml").size(), 4000u);
}

TEST(ZipArchive, LookupTreatsBothSeparatorsAlike) {
  TMemoryStream target;
  TZipArchive zip(target, TZipArchiveMode::Create);
  Add(zip, u"xl/worksheets/sheet1.xml", "s1");
  EXPECT_EQ(zip.GetFileName(0), u"xl/worksheets/sheet1.xml");
  EXPECT_EQ(zip.IndexOf(u"xl\\worksheets\\sheet1.xml"), 0);
  EXPECT_EQ(zip.IndexOf(u"xl/worksheets/sheet1.xml/"), 0);
  EXPECT_EQ(zip.IndexOf(u"XL/worksheets/sheet1.xml"), -1);
  EXPECT_EQ(zip.IndexOf(u"../xl/worksheets/sheet1.xml"), -1);
}

// An extraction appends at the target's position; an absent entry touches nothing.
TEST(ZipArchive, ExtractAppendsAndAbsentEntriesAreNoError) {
  TMemoryStream target;
  TZipArchive zip(target, TZipArchiveMode::Create);
  Add(zip, u"a", "data");
  TMemoryStream out = Bytes("x:");
  out.SetPosition(2);
  EXPECT_TRUE(zip.ExtractToStream(u"a", out));
  EXPECT_FALSE(zip.ExtractToStream(u"b", out));
  EXPECT_FALSE(zip.ExtractIndexToStream(-1, out));
  EXPECT_FALSE(zip.ExtractIndexToStream(1, out));
  EXPECT_EQ(out.AsString(), "x:data");

  std::unique_ptr<TMemoryStream> stream;
  std::int64_t size = 0;
  EXPECT_TRUE(zip.ExtractToMemoryStream(u"a", stream, size));
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(size, 4);
  EXPECT_EQ(stream->Position(), 0);
  EXPECT_FALSE(zip.ExtractToMemoryStream(u"b", stream, size));
  EXPECT_EQ(stream, nullptr);
  stream = std::make_unique<TMemoryStream>();
  TMemoryStream* untouched = stream.get();
  EXPECT_FALSE(zip.ExtractIndexToMemoryStream(-1, stream, size));
  EXPECT_EQ(stream.get(), untouched);
}

TEST(ZipArchive, ReadOnlyArchiveRefusesAdds) {
  TMemoryStream target;
  { TZipArchive(target, TZipArchiveMode::Create).Save(); }
  TZipArchive zip(target, TZipArchiveMode::Read);
  EXPECT_EQ(zip.GetCount(), 0);
  TMemoryStream data = Bytes("x");
  EXPECT_THROW(zip.AddFile(u"a", data), EWorkbookException);
}

TEST(ZipArchive, FileStreamShrinksWhenAnEntryShrinks) {
  TScratchDir dir;
  std::string name = dir.File("t.zip");
  {
    TFileStream file(name, TFileMode::Create);
    TZipArchive zip(file, TZipArchiveMode::Create);
    Add(zip, u"a", "random-ish 1234567890 qwertyuiop asdfghjkl zxcvbnm");
    Add(zip, u"a", "");
    file.Close();
  }
  TMemoryStream back;
  back.LoadFromFile(name);
  TZipArchive zip(back, TZipArchiveMode::Read);
  ASSERT_EQ(zip.GetCount(), 1);
  EXPECT_EQ(Extract(zip, u"a"), "");
  EXPECT_LT(back.Size(), 200);
}

TEST(ZipArchive, NotAnArchiveIsInvalid) {
  for (const std::string& text : {std::string(), std::string("PK"), std::string(100, 'x'),
                                  std::string("PK\x05\x06", 4) + std::string(10, '\0')}) {
    TMemoryStream stream = Bytes(text);
    EXPECT_THROW(TZipArchive(stream, TZipArchiveMode::Read), EZipFileInvalid) << text.size();
    EXPECT_THROW(TZipArchive(stream, TZipArchiveMode::Update), EZipFileInvalid) << text.size();
  }
}

namespace {

std::vector<std::uint8_t> SampleArchive() {
  TMemoryStream target;
  TZipArchive zip(target, TZipArchiveMode::Create);
  std::string big;
  for (int i = 0; i < 3000; ++i)
    big += "<c r=\"A" + std::to_string(i) + "\"><v>" + std::to_string(i * 7) + "</v></c>";
  Add(zip, u"[Content_Types].xml", "<Types/>");
  Add(zip, u"xl/worksheets/sheet1.xml", big);
  Add(zip, u"xl/sharedStrings.xml", "<sst/>");
  return target.Data();
}

}  // namespace

TEST(ZipArchive, TruncatedArchivesFailCleanly) {
  const std::vector<std::uint8_t> whole = SampleArchive();
  for (std::size_t cut = 0; cut < whole.size(); cut += 7) {
    TMemoryStream stream(std::vector<std::uint8_t>(whole.begin(), whole.begin() + cut));
    EXPECT_THROW(ReadEverything(stream), EZipFileInvalid) << cut;
  }
}

TEST(ZipArchive, FlippedBytesNeverCrash) {
  const std::vector<std::uint8_t> whole = SampleArchive();
  std::mt19937 random(12345);
  for (int round = 0; round < 1500; ++round) {
    std::vector<std::uint8_t> damaged = whole;
    for (int k = 0; k < 1 + round % 4; ++k)
      damaged[random() % damaged.size()] ^= 1 << (random() % 8);
    TMemoryStream stream(std::move(damaged));
    try {
      ReadEverything(stream);
    } catch (const EZipFileInvalid&) {
    }
  }
}

// One damage per way an archive's records can lie; each fails as an invalid archive.
TEST(ZipArchive, LyingRecordsAreInvalid) {
  using Patch = std::function<void(std::vector<std::uint8_t>&, std::size_t eocd)>;
  const std::pair<const char*, Patch> kCases[] = {
      {"crc-32 of the central and the local headers",
       [](std::vector<std::uint8_t>& b, std::size_t) {
         for (std::size_t i = 0; i + 4 <= b.size(); ++i) {
           if (b[i] == 'P' && b[i + 1] == 'K' && b[i + 2] == 1 && b[i + 3] == 2) b[i + 16] ^= 0xFF;
           if (b[i] == 'P' && b[i + 1] == 'K' && b[i + 2] == 3 && b[i + 3] == 4) b[i + 14] ^= 0xFF;
         }
       }},
      {"central directory past the end", [](auto& b, std::size_t eocd) { b[eocd + 19] = 0x7F; }},
      {"entry count", [](auto& b, std::size_t eocd) { b[eocd + 8] = b[eocd + 10] = 200; }},
  };
  for (const auto& [name, patch] : kCases) {
    std::vector<std::uint8_t> bytes = SampleArchive();
    patch(bytes, bytes.size() - 22);
    TMemoryStream stream(std::move(bytes));
    EXPECT_THROW(ReadEverything(stream), EZipFileInvalid) << name;
  }
}

namespace {

// Counts what an extraction writes, without keeping it.
class TCountingStream : public TStream {
 public:
  std::size_t Read(void*, std::size_t) override { return 0; }
  std::size_t Write(const void*, std::size_t count) override {
    written += count;
    return count;
  }
  std::int64_t Seek(std::int64_t, TSeekOrigin) override {
    return static_cast<std::int64_t>(written);
  }
  std::uint64_t written = 0;
};

}  // namespace

// 64 MB of zeros deflate to about 64 KB; the headers are then patched to lie about the size.
class ZipBomb : public PythonZip {
 protected:
  TMemoryStream Bomb(std::uint32_t declaredSize, std::uint32_t realSize = 64u << 20,
                     int parts = 1) {
    return MadeByPython(
        {"bomb", std::to_string(declaredSize), std::to_string(realSize), std::to_string(parts)});
  }
};

// Declared too small, declared larger than the data (whose checksum is right: only the size
// tells that bytes are missing), declared huge: each fails, writing no more than declared.
TEST_F(ZipBomb, SizesTheHeadersGetWrongFailTheEntry) {
  const struct {
    std::uint32_t declared, real, mostWritten;
  } kCases[] = {{1000, 64u << 20, 1000}, {2000, 1000, 2000}, {0xFFFFFFF0u, 64u << 20, 0}};
  for (const auto& c : kCases) {
    TMemoryStream bomb = Bomb(c.declared, c.real);
    TZipArchive zip(bomb, TZipArchiveMode::Read);
    TCountingStream out;
    EXPECT_THROW(zip.ExtractIndexToStream(0, out), EZipFileInvalid) << c.declared;
    EXPECT_LE(out.written, c.mostWritten) << c.declared;
    std::unique_ptr<TMemoryStream> memory;
    std::int64_t size;
    EXPECT_THROW(zip.ExtractIndexToMemoryStream(0, memory, size), EZipFileInvalid) << c.declared;
  }
}

TEST_F(ZipBomb, HonestEntriesStopAtThePackageLimit) {
  TMemoryStream bomb = Bomb(0);
  // 64 MB of zeros shrink a thousand times, beyond what a load allows unless it says so.
  TWorkbookLoadLimits dense;
  dense.MaxInflateRatio = 2000;
  TWorkbookLoadBudget budget(dense);
  TZipArchive zip(bomb, TZipArchiveMode::Read);
  zip.SetInflateLimit(100u << 20);
  TCountingStream out;
  EXPECT_TRUE(zip.ExtractIndexToStream(0, out));
  EXPECT_EQ(out.written, 64u << 20);
  // The second extraction would pass the package's limit: refused before inflating.
  TCountingStream again;
  EXPECT_THROW(zip.ExtractIndexToStream(0, again), EZipFileInvalid);
  EXPECT_EQ(again.written, 0u);
}

// Honest entries whose declared sizes pass the load's limits, the part's own or those of all the
// parts together against the file's size: refused before a byte of the entry is inflated, with
// the library's text naming the part. Within the first 32 MB density alone is no fault.
TEST_F(ZipBomb, EntriesBeyondTheLoadLimitsAreRefusedBeforeInflating) {
  TWorkbookLoadLimits small;
  small.MaxPartBytes = 16u << 20;
  small.MaxInflateRatio = 2000;
  const std::string tooLarge =
      "The file is too large to load: its part \"xl/worksheets/sheet1.xml\" inflates to more "
      "than a workbook's part holds.";
  const auto tooDense = [](int part) {
    return "The file is too large to load: with its part \"xl/worksheets/sheet" +
           std::to_string(part) + ".xml\" its parts inflate to more than 50 times the file's size.";
  };
  const struct {
    const char* name;
    std::uint32_t real;
    int parts;
    TWorkbookLoadLimits limits;
    int inflated;  // parts inflated before one is refused
    std::string message;
  } kCases[] = {
      {"64 MB shrunk a thousand times", 64u << 20, 1, {}, 0, tooDense(1)},
      {"64 MB, dense but allowed, beyond the part size", 64u << 20, 1, small, 0, tooLarge},
      {"16 MB shrunk a thousand times", 16u << 20, 1, {}, 1, ""},
      {"16 MB within a 16 MB part size", 16u << 20, 1, small, 1, ""},
      // Each part alone is small: together they are what one large part would be.
      {"three parts of 16 MB shrunk a thousand times", 16u << 20, 3, {}, 2, tooDense(3)},
      {"three such parts, dense but allowed", 16u << 20, 3, small, 3, ""},
  };
  for (const auto& c : kCases) {
    TMemoryStream bomb = Bomb(0, c.real, c.parts);
    TWorkbookLoadBudget budget(c.limits);
    TZipArchive zip(bomb, TZipArchiveMode::Read);
    for (int i = 0; i < c.inflated; ++i) {
      TCountingStream out;
      EXPECT_TRUE(zip.ExtractIndexToStream(i, out)) << c.name;
      EXPECT_EQ(out.written, c.real) << c.name;
    }
    if (c.inflated == c.parts) continue;
    TCountingStream out;
    try {
      zip.ExtractIndexToStream(c.inflated, out);
      ADD_FAILURE() << c.name << ": inflated";
    } catch (const EWorkbookFileException& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << c.name;
    }
    EXPECT_EQ(out.written, 0u) << c.name;
  }
}

TEST_F(PythonZip, CorpusPackagesReadAsPythonReadsThem) {
  const std::string corpus = std::string(SHARED_DIR) + "/corpus";
  if (!std::filesystem::exists(corpus)) GTEST_SKIP() << "shared corpus not found at " << corpus;
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
    const std::string extension = entry.path().extension().string();
    if (extension == ".xlsx" || extension == ".xlsm" || extension == ".ods")
      files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  std::string ours;
  for (const std::string& file : files) {
    ours += "FILE " + file + "\n";
    TMemoryStream stream;
    stream.LoadFromFile(file);
    try {
      TZipArchive zip(stream, TZipArchiveMode::Read);
      std::string rows;
      for (int i = 0; i < zip.GetCount(); ++i) {
        std::unique_ptr<TMemoryStream> data;
        std::int64_t size;
        ASSERT_TRUE(zip.ExtractIndexToMemoryStream(i, data, size)) << file;
        rows += platform::Utf16ToUtf8(zip.GetFileName(i)) + "|" + std::to_string(size) + "|" +
                std::to_string(crc32(0, data->Memory(), static_cast<uInt>(size))) + "\n";
      }
      ours += rows;
    } catch (const EZipFileInvalid&) {
      ours += "BAD\n";
    }
  }
  EXPECT_GT(files.size(), 10u);
  EXPECT_EQ(ours, test_support::RunPeer("workbook/formats/zip/peers/zip_entries.py", files));
}
