#include "workbook/formats/exporter_registry.h"

#include <gtest/gtest.h>

namespace workbook {
namespace {

class TNamedExporter : public TCustomExporter {
 public:
  TNamedExporter(std::u16string name, std::vector<std::u16string> extensions) {
    Description = std::move(name);
    Extensions = std::move(extensions);
  }
};

class TOtherExporter : public TNamedExporter {
 public:
  using TNamedExporter::TNamedExporter;
};

// The registry is process-wide; these handlers claim extensions no real format uses.
void RegisterOnce() {
  static bool done = [] {
    RegisterExporter(std::make_unique<TNamedExporter>(u"third", std::vector<std::u16string>{u"rq"}),
                     -1);
    RegisterExporter(
        std::make_unique<TNamedExporter>(u"first", std::vector<std::u16string>{u"rx", u"rxt"}), 0);
    RegisterExporter(
        std::make_unique<TOtherExporter>(u"second", std::vector<std::u16string>{u"rx", u"rq"}), 1);
    return true;
  }();
  (void)done;
}

struct LookupCase {
  std::u16string fileName;
  std::u16string expected;  // empty: no handler
};

class FindExporterTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(FindExporterTest, FirstRegisteredMatchWins) {
  RegisterOnce();
  TCustomExporter* exporter = reinterpret_cast<TCustomExporter*>(1);
  bool found = FindExporterForFile(GetParam().fileName, exporter);
  if (GetParam().expected.empty()) {
    EXPECT_FALSE(found);
    EXPECT_EQ(exporter, nullptr);
  } else {
    ASSERT_TRUE(found);
    EXPECT_EQ(exporter->Description, GetParam().expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindExporterTest,
    ::testing::Values(LookupCase{u"Book.RX", u"first"}, LookupCase{u"book.rxt", u"first"},
                      LookupCase{u"data.rq", u"second"}, LookupCase{u"archive.tar.rq", u"second"},
                      LookupCase{u"noextension", u""}, LookupCase{u"trailing.", u""},
                      LookupCase{u"C:\\a.rx\\file", u""}, LookupCase{u"/home/a.rx/file", u""},
                      LookupCase{u"x.unknown", u""}));

TEST(FindExporterForExtensionTest, TakesOneLeadingDot) {
  RegisterOnce();
  TCustomExporter* exporter;
  EXPECT_TRUE(FindExporterForExtension(u".RQ", exporter));
  EXPECT_FALSE(FindExporterForExtension(u"..rq", exporter));
  EXPECT_FALSE(FindExporterForExtension(u"", exporter));
}

TEST(FindRegisteredExporterTest, MatchesTheExactClass) {
  RegisterOnce();
  TOtherExporter* other;
  ASSERT_TRUE(FindRegisteredExporter(other));
  EXPECT_EQ(other->Description, u"second");
}

TEST(CustomExporterTest, BaseLimitsAreUnbounded) {
  TNamedExporter base(u"", {});
  EXPECT_EQ(base.GetMaxColCount(), 2147483647);
  EXPECT_EQ(base.GetMaxRowCount(), 2147483647);
  EXPECT_EQ(base.GetCellWidthPadding(), 0);
}

}  // namespace
}  // namespace workbook
