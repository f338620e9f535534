#include "workbook/core/path_utils.h"

#include <gtest/gtest.h>

using namespace workbook;

TEST(PathUtils, CombineRelativePath) {
  const struct {
    const char *base, *relative;
    char delimiter;
    const char *driveCheck, *expected;
  } cases[] = {{"xl/worksheets/", "../drawings/drawing1.xml", '/', "", "xl/drawings/drawing1.xml"},
               {"xl/worksheets", "../drawings/drawing1.xml", '/', "", "xl/drawings/drawing1.xml"},
               {"xl/worksheets/", "./a/../b.xml", '/', "", "xl/worksheets/b.xml"},
               {"xl/worksheets/", "/xl/media/i.png", '/', "", "xl/media/i.png"},
               {"xl\\worksheets", "..\\drawings\\d.xml", '\\', "", "xl\\drawings\\d.xml"},
               {"xl/worksheets/", "a//b.xml", '/', "", "xl/worksheets/a/b.xml"},
               // More ".." than segments climbs no further than the root.
               {"xl/", "../../../etc/passwd", '/', "", "etc/passwd"},
               // The tail after the last delimiter is taken as it stands.
               {"xl/", "a/..", '/', "", "xl/a/.."},
               {"xl/", "C:/x.xml", '/', "C", "C:/x.xml"},
               {"xl/", "/x.xml", '/', "C", "xl/x.xml"},
               {"", "x.xml", '/', "", "/x.xml"}};
  for (const auto& c : cases)
    EXPECT_EQ(CombineRelativePath(c.base, c.relative, c.delimiter, c.driveCheck), c.expected)
        << c.base << " + " << c.relative;
}

TEST(PathUtils, DelimitersFileNamesAndExtensions) {
  EXPECT_EQ(NormalizePathDelimiters(u"a\\b/", false, u'/'), u"a/b");
  EXPECT_EQ(NormalizePathDelimiters(u"a/b", true, u'\\'), u"a\\b\\");
  EXPECT_EQ(NormalizePathDelimiters(u"", true, u'/'), u"");
  EXPECT_EQ(ReplaceInvalidFileNameChars(u"a\\b/c:d*e?f\"g<h>i|jé", u'_'), u"a_b_c_d_e_f_g_h_i_jé");
  EXPECT_EQ(LastDelimiterW(u"/\\", u"a/b\\c"), 4);
  EXPECT_EQ(LastDelimiterW(u"/", u"abc"), 0);
  EXPECT_EQ(ExtractFileNameWithoutExt(u"C:\\dir.v2\\image1.png"), u"image1");
  EXPECT_EQ(ExtractFileNameWithoutExt(u"a.tar.gz"), u"a.tar");
  EXPECT_EQ(ExtractFileExtWithoutDot(u"xl/media/image1.PNG"), u"PNG");
  EXPECT_EQ(ExtractFileExtWithoutDot(u"dir.v2\\readme"), u"");
  EXPECT_EQ(ExtractFileExtWithoutDot(u"name."), u"");
}
