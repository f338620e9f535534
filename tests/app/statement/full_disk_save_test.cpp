// Every file the program saves (the two XML reports, the lists, the sums, settings.ini) keeps
// the old file whole when the disk is full, and says which file could not be written.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <functional>

#include "app/statement/control_statement_xml.h"
#include "app/statement/ec_sales_list_xml.h"
#include "app/statement/errors.h"
#include "app/statement/list_files.h"
#include "app/statement/settings_file.h"
#include "statement_fixture.h"
#include "support/small_disk.h"
#include "support/thrown.h"

using namespace app;
using namespace app::test;
using test_support::TSmallDisk;

namespace {

const std::string kOld = "the old file, which a failed save must leave whole\r\n";

// Each file but the sums is more than the page of disk there is, so that writing over the old
// file in place would lose it (the sums file is shorter than any statement can make it).
std::unique_ptr<TData> LongStatement() {
  auto data = FullStatement();
  for (int i = 0; i < 50; ++i) data->RowsA1.push_back(std::make_unique<tDataA1>(*data->RowsA1[0]));
  return data;
}

struct TSaveCase {
  const char* file;  // the name the save writes, from a chosen name without the extension
  std::function<void(const std::string& folder)> save;
};

const TSaveCase kSaves[] = {
    {"kv.xml",
     [](const std::string& folder) {
       ExportControlStatement(TKVFormat::Format2021, *LongStatement(), folder + "/kv");
     }},
    {"sv.xml",
     [](const std::string& folder) {
       ExportEcSalesList(TSVLayout::Layout2020, *FullStatement(), kToday, folder + "/sv");
     }},
    {"errors.txt",
     [](const std::string& folder) {
       SaveMessageList(TTextLines(200, "Chyba v riadku 5: neplatny datum"), folder + "/errors");
     }},
    {"sums.csv", [](const std::string& folder) { SaveSumsFile(tDataTotals{}, folder + "/sums"); }},
    {"settings.ini",
     [](const std::string& folder) {
       SaveSettingsFile(folder + "/settings.ini", SettingsValuesFromData(TData{}));
     }},
};

bool IsSettings(const TSaveCase& c) { return std::string(c.file) == "settings.ini"; }

std::string Thrown(const TSaveCase& c, const std::string& folder) {
  return test_support::Thrown<EAppException>([&] { c.save(folder); });
}

}  // namespace

// One page of disk, which the old file takes: not a byte of the new file fits.
TEST(FullDiskSave, TheOldFileStaysWhole) {
  for (const TSaveCase& c : kSaves) {
    TSmallDisk disk(1);
    if (!disk.Mounted()) GTEST_SKIP() << disk.Why();
    const std::string path = disk.File(c.file);
    std::ofstream(path, std::ios::binary) << kOld;
    EXPECT_EQ(Thrown(c, disk.Path()),
              IsSettings(c) ? "Disk full" : "Cannot write file \"" + path + "\": disk full.")
        << c.file;
    EXPECT_EQ(ReadFileBytes(path), kOld) << c.file;
    EXPECT_EQ(disk.Listing(), c.file) << c.file << ": a partial file is left";
  }
}

// A read-only file is refused, not replaced, as writing it in place refused it.
TEST(FullDiskSave, AReadOnlyFileIsKept) {
  const auto folder = TestFolder();
  for (const TSaveCase& c : kSaves) {
    const std::string path = (folder / c.file).string();
    std::ofstream(path, std::ios::binary) << kOld;
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(
        Thrown(c, folder.string()),
        IsSettings(c) ? "Access denied" : "Cannot create file \"" + path + "\". Permission denied")
        << c.file;
    EXPECT_EQ(ReadFileBytes(path), kOld) << c.file;
  }
}
