#include "platform/file_filter.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(FileFilter, PairsOfCaptionAndPatterns) {
  auto f = ParseFileFilter(u"Excel súbory (*.xls, *.xlsx)|*.xls*");
  ASSERT_EQ(f.size(), 1u);
  EXPECT_EQ(f[0].Caption, u"Excel súbory (*.xls, *.xlsx)");
  EXPECT_EQ(f[0].Patterns, std::vector<std::u16string>{u"*.xls*"});

  f = ParseFileFilter(u"Text (*.txt)|*.txt|All|*.txt;*.csv|Dangling");
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[1].Caption, u"All");
  EXPECT_EQ(f[1].Patterns, (std::vector<std::u16string>{u"*.txt", u"*.csv"}));

  EXPECT_TRUE(ParseFileFilter(u"").empty());
}
