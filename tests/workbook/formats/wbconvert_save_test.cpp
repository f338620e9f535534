// Saving through tools/wbconvert: a save that fails (a disk that fills up, midway or only with
// the last buffered bytes) exits 2 with the file's name and "disk full", and leaves the old file
// byte for byte; the partial file never takes an existing name; a read-only target is kept.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/small_disk.h"
#include "workbook/formats/python_peer.h"

using test_support::ReadFileBytes;
using test_support::RunCommand;
using test_support::ShellQuoted;
using test_support::TScratchDir;
using test_support::TSmallDisk;

namespace {

const std::string kWbconvert = BINARY_DIR "/tools/wbconvert";
const std::string kOld = "the old file, which a failed save must leave whole\n";
const char* const kFormats[] = {"xls", "xlsx", "ods", "csv"};

class WbconvertSave : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access(kWbconvert.c_str(), X_OK) != 0) GTEST_SKIP() << "wbconvert is not built";
    // 400 rows of texts and numbers ("CSV for Excel" reads .csv): every format's file takes a
    // few pages.
    std::ofstream in(input_.File("in.csv"), std::ios::binary);
    for (int r = 0; r < 400; ++r)
      in << "Partner " << r * 7 % 311 << ";" << r * 1.25 << ";Invoice " << r << ";" << r % 17
         << ";note " << r * r << "\r\n";
  }

  // Wbconvert's exit status and what it printed.
  static test_support::TCommandResult Convert(const std::string& in, const std::string& out) {
    return RunCommand(ShellQuoted(kWbconvert) + " " + ShellQuoted(in) + " " + ShellQuoted(out) +
                      " 2>&1");
  }

  // The size of the file the format's save writes.
  std::uintmax_t SavedSize(const std::string& format) {
    const std::string out = input_.File("size." + format);
    EXPECT_EQ(Convert(input_.File("in.csv"), out).Status, 0) << format;
    return std::filesystem::file_size(out);
  }

  TScratchDir input_;
};

void WriteText(const std::string& fileName, const std::string& text) {
  std::ofstream(fileName, std::ios::binary) << text;
}

std::string AsText(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST_F(WbconvertSave, AFullDiskKeepsTheOldFileAndSaysSo) {
  const std::uintmax_t kPage = TSmallDisk::kPage;
  for (const char* format : kFormats) {
    const std::uintmax_t size = SavedSize(format);
    // The whole pages of the new file fit, its last part does not: what is still buffered when
    // the file is closed fails to be written.
    const std::uintmax_t allButTheLast = (size - 1) / kPage;
    const struct {
      const char* name;
      std::uintmax_t pages;  // besides the old file's and a taken partial name's
      bool partTaken;
      const char* partial;
    } kCases[] = {
        {"full midway", allButTheLast / 2, false, ".part"},
        {"the last bytes do not fit", allButTheLast, false, ".part"},
        {"full midway, OUT.part taken", allButTheLast / 2, true, ".1.part"},
    };
    for (const auto& c : kCases) {
      const std::string what = std::string(format) + ", " + c.name;
      TSmallDisk disk(1 + c.pages + (c.partTaken ? 1 : 0));
      if (!disk.Mounted()) GTEST_SKIP() << disk.Why();
      const std::string out = disk.File(std::string("out.") + format);
      WriteText(out, kOld);
      if (c.partTaken) WriteText(out + ".part", "someone else's");

      const auto result = Convert(input_.File("in.csv"), out);
      EXPECT_EQ(result.Status, 2) << what;
      EXPECT_EQ(result.Output,
                "EWorkbookException: Cannot write file \"" + out + c.partial + "\": disk full.\n")
          << what;
      EXPECT_TRUE(AsText(ReadFileBytes(out)) == kOld) << what << ": the old file is replaced";
      EXPECT_EQ(disk.Listing(), c.partTaken
                                    ? "out." + std::string(format) + " out." + format + ".part"
                                    : "out." + std::string(format))
          << what;
      if (c.partTaken) EXPECT_EQ(AsText(ReadFileBytes(out + ".part")), "someone else's") << what;
    }
  }
}

// With room enough the new file replaces the old one, and a file holding OUT.part is kept.
TEST_F(WbconvertSave, APartialNameInUseIsLeftAlone) {
  for (const char* format : kFormats) {
    const std::uintmax_t size = SavedSize(format);
    TScratchDir dir;
    const std::string out = dir.File(std::string("out.") + format);
    WriteText(out, kOld);
    WriteText(out + ".part", "someone else's");
    const auto result = Convert(input_.File("in.csv"), out);
    EXPECT_EQ(result.Status, 0) << format << ": " << result.Output;
    EXPECT_EQ(std::filesystem::file_size(out), size) << format;
    EXPECT_EQ(AsText(ReadFileBytes(out + ".part")), "someone else's") << format;
    EXPECT_FALSE(std::filesystem::exists(out + ".1.part")) << format;
  }
}

TEST_F(WbconvertSave, AReadOnlyTargetIsNotReplaced) {
  TScratchDir dir;
  const std::string out = dir.File("out.xlsx");
  WriteText(out, kOld);
  ASSERT_EQ(::chmod(out.c_str(), 0444), 0);
  const auto result = Convert(input_.File("in.csv"), out);
  EXPECT_EQ(result.Status, 2);
  EXPECT_EQ(result.Output,
            "EWorkbookException: Cannot write file \"" + out + "\": the file is read-only.\n");
  EXPECT_EQ(AsText(ReadFileBytes(out)), kOld);
  EXPECT_FALSE(std::filesystem::exists(out + ".part"));
}
