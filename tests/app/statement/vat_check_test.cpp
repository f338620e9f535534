#include "app/statement/vat_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "statement_fixture.h"

using namespace app;
using namespace app::test;

namespace {

TVATList ListOf(TVATListKind kind, std::vector<std::int64_t> numbers) {
  TVATList list{kind, {}};
  std::sort(numbers.begin(), numbers.end());
  for (std::int64_t n : numbers) list.Entries.push_back({n, ""});
  return list;
}

TVATCheckResult VATCheck(const TVATList& list, const TData& data,
                         const TVATCheckProgress& progress = {}) {
  return app::VATCheck(list.Kind, list.Entries, data, progress);
}

// Rows with IDs in every checked section and in some unchecked ones.
TData Rows() {
  TData data;
  Add(data.RowsA1, {"SK1111111111", "1", "", "", "", "", ""});
  Add(data.RowsA1, {"CZ1111111112", "2", "", "", "", "", ""});  // foreign: not checked
  Add(data.RowsA1, {"", "3", "", "", "", "", ""});              // no ID: not checked
  Add(data.RowsA2, {"SK2222222222", "", "", "", "", "", "", "", ""});
  Add(data.RowsA2, {"CZ2222222223", "", "", "", "", "", "", "", ""});  // checked anyway
  Add(data.RowsB1, {"SK9999999999", "", "", "", "", "", "", ""});      // B1 not checked
  Add(data.RowsB2, {"SK3333333333", "", "", "", "", "", "", ""});
  Add(data.RowsB32, {"SK4444444444", "", "", "", ""});
  Add(data.RowsC1, {"SK5555555555", "", "", "", "", "", "", "", "", "", "", ""});
  Add(data.RowsC1, {"HU5555555556", "", "", "", "", "", "", "", "", "", "", ""});  // foreign
  Add(data.RowsC2, {"SK9999999999", "", "", "", "", "", "", "", ""});              // not checked
  Add(data.RowsSV1, {"SK9999999999", "1", ""});                                    // not checked
  return data;
}

constexpr int kScannedRecords = 9;  // A1, A2, B2, B32 and C1 records

}  // namespace

// A register lists the checked IDs missing from it; the other lists the checked IDs found in
// them. 1111111112 and 5555555556 belong to foreign IDs of A1 and C1, 9999999999 only to unchecked
// sections.
TEST(VATCheck, ReportPerListKind) {
  const std::string registered =
      "Zoznam neplatných IČ DPH (podľa zoznamu registrovaných platiteľov DPH): \r\n";
  const std::string others = "1111111112 2222222223 5555555555 5555555556 9999999999";
  struct Case {
    TVATListKind kind;
    std::string numbers;
    int count;
    std::string report;
  } cases[] = {
      {TVATListKind::Register, "1111111111 3333333333 5555555555", 3,
       registered + "A2: SK2222222222\r\nA2: CZ2222222223\r\nB32: SK4444444444\r\n\r\n"
                    "Počet neplatných IČ DPH: 3"},
      {TVATListKind::Register, "1111111111 2222222222 2222222223 3333333333 4444444444 5555555555",
       0, registered + "\r\nPočet neplatných IČ DPH: 0"},
      {TVATListKind::Cancellation, others, 2,
       "Nájdené IČ DPH (v zozname platiteľov s dôvodom na zrušenie registrácie pre DPH):\r\n"
       "A2: CZ2222222223\r\nC1: SK5555555555\r\n\r\nPočet nájdených IČ DPH: 2"},
      {TVATListKind::SpecialScheme, others, 2,
       "Nájdené IČ DPH (v zozname platiteľov DPH uplatňujúcich osobitnú úpravu):\r\n"
       "A2: CZ2222222223\r\nC1: SK5555555555\r\n\r\nPočet nájdených IČ DPH: 2"},
  };
  const TData data = Rows();
  for (const auto& c : cases) {
    std::vector<std::int64_t> numbers;
    std::istringstream in(c.numbers);
    for (std::int64_t n; in >> n;) numbers.push_back(n);
    const TVATCheckResult result = VATCheck(ListOf(c.kind, numbers), data);
    EXPECT_EQ(result.Count, c.count) << c.numbers;
    EXPECT_EQ(result.Report, Cp(c.report.c_str())) << c.numbers;
  }
}

// An ID without a number in its characters 3 to 12 cannot be in any list.
TEST(VATCheck, IdsAreLookedUpByCharacters3To12) {
  TData data;
  Add(data.RowsA2, {"", "", "", "", "", "", "", "", ""});
  Add(data.RowsB2, {"SKABCDEFGHIJ", "", "", "", "", "", "", ""});
  Add(data.RowsC1, {"SK12x4567890", "", "", "", "", "", "", "", "", "", "", ""});
  const TVATCheckResult reg = VATCheck(ListOf(TVATListKind::Register, {0, 1234567890}), data);
  EXPECT_EQ(reg.Count, 3);
  EXPECT_NE(reg.Report.find("A2: \r\nB2: SKABCDEFGHIJ\r\nC1: SK12x4567890\r\n"), std::string::npos);
  const TVATCheckResult found = VATCheck(ListOf(TVATListKind::Cancellation, {0, 1234567890}), data);
  EXPECT_EQ(found.Count, 0);
}

TEST(VATCheck, ProgressAroundTheScan) {
  const TData data = Rows();
  std::string events;
  TVATCheckProgress progress{[&] { events += 'S'; }, [&] { events += 'r'; },
                             [&] { events += 'F'; }};
  VATCheck(ListOf(TVATListKind::Register, {}), data, progress);
  EXPECT_EQ(events, "S" + std::string(kScannedRecords, 'r') + "F");
}

// The wait window must close also when the scan is interrupted.
TEST(VATCheck, FinishedRunsWhenTheScanFails) {
  const TData data = Rows();
  int records = 0;
  int finished = 0;
  TVATCheckProgress progress{{},
                             [&] {
                               if (++records == 4) throw std::runtime_error("stop");
                             },
                             [&] { ++finished; }};
  EXPECT_THROW(VATCheck(ListOf(TVATListKind::Register, {}), data, progress), std::runtime_error);
  EXPECT_EQ(records, 4);
  EXPECT_EQ(finished, 1);
}

TEST(VATCheck, CheckFileReplacesTheLoadedList) {
  const auto dir = TestFolder();
  const std::string known = (dir / "register.csv").string();
  const std::string unknown = (dir / "other.csv").string();
  std::ofstream(known, std::ios::binary)
      << "ZoznamSubjektovRegistrovanychkDPH;06.12.2026\r\nIC_DPH;NAZOV\r\n"
      << "SK5555555555;E\r\nSK3333333333;C\r\nSK1111111111;A\r\nSK4444444444;D\r\n";
  std::ofstream(unknown, std::ios::binary) << "IC_DPH;NAZOV\r\nSK1111111111;A\r\n";
  const TData data = Rows();
  std::vector<tVATSubject> loaded = {{7, "old"}};
  bool started = false;

  EXPECT_FALSE(VATCheckFile(unknown, data, loaded, {[&] { started = true; }, {}, {}}));
  EXPECT_FALSE(started);
  ASSERT_EQ(loaded.size(), 1u);
  EXPECT_EQ(loaded[0].Text, "old");

  const auto result = VATCheckFile(known, data, loaded);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->Count, 2);  // A2: SK2222222222, A2: CZ2222222223
  EXPECT_EQ(loaded.size(), 4u);
}
