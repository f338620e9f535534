// The written documents against the tax authority's own schemas (where they are public: the 2014
// and 2016 control statements and the 2014-2019 EC sales list).
#include <gtest/gtest.h>

#include <algorithm>

#include "app/statement/control_statement_xml.h"
#include "app/statement/ec_sales_list_xml.h"
#include "schema_check.h"
#include "statement_fixture.h"

using namespace app;
using namespace app::test;

namespace {

class AuthoritySchemas : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = AuthorityDir();
    if (dir_.empty())
      GTEST_SKIP() << "the tax authority's schemas are not at " << SHARED_DIR
                   << "/authority; schema checks skipped";
  }
  std::string Schema(const char* name) const { return dir_ + "/" + name; }
  std::string dir_;
};

struct TKVSchema {
  TKVFormat Format;
  const char* File;
};
const TKVSchema kKVSchemas[] = {{TKVFormat::Format2014, "kv_dph_2014.xsd"},
                                {TKVFormat::Format2016, "kv_dph_2016.xsd"}};

// 1-based line of the first line starting with the text.
int LineOf(const TTextLines& lines, std::string_view start) {
  auto it = std::find_if(lines.begin(), lines.end(),
                         [&](const std::string& l) { return l.starts_with(start); });
  return it == lines.end() ? -1 : static_cast<int>(it - lines.begin()) + 1;
}

}  // namespace

// The full statement (of a quarter) is valid but for the rows the import reported as erroneous:
// they go out as stored, their rejected values empty, and the schema complains exactly about the
// empty mandatory attributes of those rows.
TEST_F(AuthoritySchemas, ControlStatementIsValidButWhereErroneousRowsLackValues) {
  for (const TKVSchema& s : kKVSchemas) {
    auto data = FullStatement();
    data->Header = {"D", "2016", Cp("2. štvrťrok"), false};
    // A date and an amount the import rejected.
    Add(data->RowsA1, {"SK1234567890", "FV9", "", "", "2", "20", ""});
    // A missing ID: mandatory in A2, optional in B1.
    Add(data->RowsA2, {"", "FV10", "2021-03-01", "1", "", "", "", "", ""});
    Add(data->RowsB1, {"", "FV11", "2021-03-01", "1", "0.2", "20", "0.2", ""});
    const TTextLines lines = BuildControlStatement(s.Format, *data);
    const auto violations = SchemaViolations(Schema(s.File), LinesToUtf8(lines));

    const int a1 = LineOf(lines, "    <A1 Odb=\"SK1234567890\" F=\"FV9\"");
    const int a2 = LineOf(lines, "    <A2 Odb=\"\"");
    ASSERT_GT(a1, 0);
    ASSERT_GT(a2, 0);
    std::vector<std::pair<int, std::string>> found;
    for (const TViolation& v : violations) {
      const auto attr = v.Message.find("attribute '");
      found.emplace_back(
          v.Line, attr == std::string::npos
                      ? v.Message
                      : v.Message.substr(attr + 11, v.Message.find('\'', attr + 11) - attr - 11));
    }
    const std::vector<std::pair<int, std::string>> expected = {{a1, "Den"}, {a1, "Z"}, {a2, "Odb"}};
    EXPECT_EQ(found, expected) << s.File << "\n" << DescribeViolations(violations);
  }
}

// The EC sales list names its schema "universal.xsd" only as a location hint, which
// xmlSchemaValidateDoc does not follow: svdph2010.xsd is given directly, no copy is needed.
TEST_F(AuthoritySchemas, EcSalesList2014LayoutIsValid) {
  auto full = FullStatement();  // of a quarter, with records for two pages
  full->Header = {"O", "2019", Cp("4. štvrťrok"), false};
  for (std::size_t i = 0; i < 28; ++i)
    Add(full->RowsSV1, {"AT" + std::to_string(i), std::to_string(i), i % 2 ? "1" : ""});
  TData empty;
  empty.Header = full->Header;
  for (const TData* data : {full.get(), &empty}) {
    const auto violations =
        SchemaViolations(Schema("svdph2010.xsd"),
                         LinesToUtf8(BuildEcSalesList(TSVLayout::Layout2014, *data, kToday)));
    EXPECT_TRUE(violations.empty()) << data->RowsSV1.size() << " records\n"
                                    << DescribeViolations(violations);
  }
}
