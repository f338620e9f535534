// HLINK records of long links: a record holds at most 8224 data bytes, so the texts are cut to
// fit, the URL last and never inside a surrogate pair; the reader takes back what was written.
#include "workbook/formats/xls/xls_hyperlinks.h"

#include <gtest/gtest.h>

#include "workbook/core/stream.h"
#include "workbook/model/cell_string.h"
#include "xls_book_fixture.h"
#include "xls_workbook_builder.h"

using namespace workbook;

namespace {

struct LongLinkCase {
  const char* name;
  std::u16string target;
  std::u16string text;
  std::size_t recordSize;
  std::u16string readTarget;
};

const std::u16string kPair = u"\U0001F600";

const LongLinkCase kCases[] = {
    {"ShortLinkWhole", u"https://a.b/c", u"link", 2 * 14 + 48 + 2 * 5 + 32, u"https://a.b/c"},
    // Both texts of 3500 characters: the URL stays whole, the display name takes the rest.
    {"DisplayNameCutFirst", std::u16string(3500, u'u'), std::u16string(3500, u't'), 8224,
     std::u16string(3500, u'u')},
    {"UrlCutToTheRecord", std::u16string(5000, u'u'), std::u16string(5000, u't'), 8224,
     std::u16string(4070, u'u')},
    // Character 4070 would be the first half of a pair: the pair goes whole.
    {"CutBeforeASurrogatePair", std::u16string(4069, u'u') + kPair, u"", 8222,
     std::u16string(4069, u'u')},
};

class XLSLongHyperlink : public ::testing::TestWithParam<LongLinkCase> {};

TEST_P(XLSLongHyperlink, FitsOneRecord) {
  const LongLinkCase& c = GetParam();
  TMemoryStream stream;
  XLSWriteHyperlink(stream, 1, 1, 2, 2, c.target, c.text);
  const std::vector<std::uint8_t>& bytes = stream.Data();
  ASSERT_GE(bytes.size(), 4u);
  const std::size_t size = bytes[2] | bytes[3] << 8;
  EXPECT_EQ(size, c.recordSize);
  EXPECT_EQ(bytes.size(), size + 4);

  TOleStreamReader records(stream);
  TXLSRecordReader reader(records);
  ASSERT_TRUE(reader.Next());
  const std::optional<TXLSHyperlink> link = XLSReadHyperlink(reader);
  ASSERT_TRUE(link.has_value());
  EXPECT_EQ(link->Target, c.readTarget);
  EXPECT_EQ(reader.Left(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Links, XLSLongHyperlink, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A damaged link whose first column lies past the 256 columns of a sheet is passed over (from
// column 16384 on it once stopped the load with an internal message); the other links stay.
using XLSDamagedHyperlink = xls_test::XlsBookTest;

TEST_F(XLSDamagedHyperlink, PastTheLastColumnIsPassedOver) {
  xls_test::Bytes records = xls_test::Label(0, 0, u"a", false);
  for (int col : {0, 256, 16384, 65535}) {
    TMemoryStream link;
    XLSWriteHyperlink(link, 0, 0, col, col, u"https://a.b/" + std::u16string(1, u'0' + col % 10),
                      u"");
    records.insert(records.end(), link.Data().begin(), link.Data().end());
  }
  LoadBytes(
      xls_test::XlsFile(xls_test::WorkbookStream(xls_test::StandardStyles(), {{u"S", records}})));
  EXPECT_EQ(Sheet(0).Rows[0]->Cells.Count(), 1);
  auto* text = dynamic_cast<TExportCellString*>(CellAt(0, 0, 0));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->GetHyperlink(), u"https://a.b/0");
}

}  // namespace
