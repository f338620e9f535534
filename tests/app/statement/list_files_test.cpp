#include "app/statement/list_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "statement_fixture.h"

using namespace app;
using namespace app::test;

namespace {

std::filesystem::path TestDir() {
  const auto dir = std::filesystem::path(BINARY_DIR) / "list_files_test";
  std::filesystem::create_directories(dir);
  return dir;
}

}  // namespace

TEST(SumsFile, KeysInOrderAndZerosBeforeAnyImport) {
  const TTextLines expected = {"Sekcia - udaj;Sucet",
                               "A1-Z;0",
                               "A1-D;0",
                               "A2-Z;0",
                               "A2-Mn;0",
                               "B1-Z;0",
                               "B1-D;0",
                               "B1-O;0",
                               "B2-Z;0",
                               "B2-D;0",
                               "B2-O;0",
                               "B31-Z;0",
                               "B31-D;0",
                               "B31-O;0",
                               "B32-Z;0",
                               "B32-D;0",
                               "B32-O;0",
                               "C1-ZR;0",
                               "C1-DR;0",
                               "C1-Mn;0",
                               "C2-ZR;0",
                               "C2-DR;0",
                               "C2-OR;0",
                               "D1-SumaObratov;0",
                               "D1-Z;0",
                               "D1-D;0",
                               "D1-ZZn;0",
                               "D1-DZn;0",
                               "D2-Z;0",
                               "D2-D;0",
                               "D2-ZZn;0",
                               "D2-DZn;0",
                               "SV-Z;0"};
  EXPECT_EQ(SumsFileLines(tDataTotals{}), expected);
}

TEST(SumsFile, NumberForm) {
  struct Case {
    double sum;
    const char* text;
  } cases[] = {{1000, "1000"},       {0.1, "0,1"},       {1234.5, "1234,5"},
               {-250.75, "-250,75"}, {0.1 + 0.2, "0,3"}, {12345678901.23, "12345678901,23"},
               {1e15, "1E15"},       {-0.0, "0"}};
  for (const auto& c : cases) {
    tDataTotals totals;
    totals.Sum[0] = c.sum;
    EXPECT_EQ(SumsFileLines(totals)[1], std::string("A1-Z;") + c.text) << c.sum;
  }
}

TEST(SumsFile, SlotsMapToTheirKeys) {
  tDataTotals totals;
  for (std::size_t i = 0; i < totals.Sum.size(); ++i) totals.Sum[i] = static_cast<double>(i + 1);
  const TTextLines lines = SumsFileLines(totals);
  ASSERT_EQ(lines.size(), 33u);
  EXPECT_EQ(lines[4], "A2-Mn;4");
  EXPECT_EQ(lines[22], "C2-OR;22");
  // Slot 23 is not written.
  EXPECT_EQ(lines[23], "D1-SumaObratov;24");
  EXPECT_EQ(lines[32], "SV-Z;33");
}

TEST(ListFiles, SavedFilesAreUtf8WithCrLf) {
  const auto dir = TestDir();
  const std::string list =
      SaveMessageList({Cp("Riadok 3: chybný dátum v sekcií A1"), Cp("Riadok 4: ľubovoľné ô")},
                      (dir / "chyby.txt").string());
  EXPECT_EQ(list, (dir / "chyby.txt.txt").string());
  EXPECT_EQ(ReadFileBytes(list),
            "Riadok 3: chybn\xC3\xBD d\xC3\xA1tum v sekci\xC3\xAD A1\r\n"
            "Riadok 4: \xC4\xBE"
            "ubovo\xC4\xBEn\xC3\xA9 \xC3\xB4\r\n");

  const std::string empty = SaveMessageList({}, (dir / "prazdne").string());
  EXPECT_EQ(ReadFileBytes(empty), "");

  tDataTotals totals;
  totals.Sum[32] = 1740;
  const std::string sums = SaveSumsFile(totals, (dir / "sucty").string());
  EXPECT_EQ(sums, (dir / "sucty.csv").string());
  const std::string bytes = ReadFileBytes(sums);
  EXPECT_TRUE(bytes.starts_with("Sekcia - udaj;Sucet\r\nA1-Z;0\r\n"));
  EXPECT_TRUE(bytes.ends_with("\r\nD2-DZn;0\r\nSV-Z;1740\r\n"));
}
