#include "workbook/core/path_utils.h"

#include <gtest/gtest.h>

using namespace workbook;

struct CombineCase {
  const char* base;
  const char* relative;
  char delimiter;
  const char* driveCheck;
  const char* expected;
};

class CombineRelativePathTest : public ::testing::TestWithParam<CombineCase> {};

TEST_P(CombineRelativePathTest, Resolves) {
  const CombineCase& c = GetParam();
  EXPECT_EQ(CombineRelativePath(c.base, c.relative, c.delimiter, c.driveCheck), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CombineRelativePathTest,
    ::testing::Values(CombineCase{"xl/worksheets/", "../drawings/drawing1.xml", '/', "",
                                  "xl/drawings/drawing1.xml"},
                      CombineCase{"xl/worksheets", "../drawings/drawing1.xml", '/', "",
                                  "xl/drawings/drawing1.xml"},
                      CombineCase{"xl/worksheets/", "./a/../b.xml", '/', "", "xl/worksheets/b.xml"},
                      CombineCase{"xl/worksheets/", "/xl/media/i.png", '/', "", "xl/media/i.png"},
                      CombineCase{"xl\\worksheets", "..\\drawings\\d.xml", '\\', "",
                                  "xl\\drawings\\d.xml"},
                      CombineCase{"xl/worksheets/", "a//b.xml", '/', "", "xl/worksheets/a/b.xml"},
                      // More ".." than segments climbs no further than the root.
                      CombineCase{"xl/", "../../../etc/passwd", '/', "", "etc/passwd"},
                      // The tail after the last delimiter is taken as it stands.
                      CombineCase{"xl/", "a/..", '/', "", "xl/a/.."},
                      CombineCase{"xl/", "C:/x.xml", '/', "C", "C:/x.xml"},
                      CombineCase{"xl/", "/x.xml", '/', "C", "xl/x.xml"},
                      CombineCase{"", "x.xml", '/', "", "/x.xml"}));

TEST(PathUtils, DelimitersFileNamesAndExtensions) {
  EXPECT_EQ(NormalizePathDelimiters(u"a\\b/", false, u'/'), u"a/b");
  EXPECT_EQ(NormalizePathDelimiters(u"a\\b/", true, u'\\'), u"a\\b\\");
  EXPECT_EQ(NormalizePathDelimiters(u"a/b", true, u'\\'), u"a\\b\\");
  EXPECT_EQ(NormalizePathDelimiters(u"a//", false, u'/'), u"a/");
  EXPECT_EQ(NormalizePathDelimiters(u"", true, u'/'), u"");
  EXPECT_EQ(ReplaceInvalidFileNameChars(u"a\\b/c:d*e?f\"g<h>i|jé", u'_'), u"a_b_c_d_e_f_g_h_i_jé");
  EXPECT_EQ(LastDelimiterW(u"/\\", u"a/b\\c"), 4);
  EXPECT_EQ(LastDelimiterW(u"/", u"abc"), 0);
  EXPECT_EQ(ExtractFileNameWithoutExt(u"C:\\dir.v2\\image1.png"), u"image1");
  EXPECT_EQ(ExtractFileNameWithoutExt(u"xl/media/image1.png"), u"image1");
  EXPECT_EQ(ExtractFileNameWithoutExt(u"dir.v2/readme"), u"readme");
  EXPECT_EQ(ExtractFileNameWithoutExt(u"a.tar.gz"), u"a.tar");
  EXPECT_EQ(ExtractFileExtWithoutDot(u"xl/media/image1.PNG"), u"PNG");
  EXPECT_EQ(ExtractFileExtWithoutDot(u"dir.v2\\readme"), u"");
  EXPECT_EQ(ExtractFileExtWithoutDot(u"name."), u"");
}
