// HLINK records of long links: a record holds at most 8224 data bytes, so the texts are cut to
// fit, the URL last and never inside a surrogate pair; the reader takes back what was written.
#include "workbook/formats/xls/xls_hyperlinks.h"

#include <gtest/gtest.h>

#include "workbook/core/stream.h"

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

}  // namespace
