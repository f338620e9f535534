#include "app/statement/text_lines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/statement/file_errors.h"
#include "statement_fixture.h"

using namespace app;
using namespace app::test;

// Every line ends with CR LF, the last too; "č", "ľ", "ô" of Windows-1250 become UTF-8 without a
// byte-order mark.
TEST(TextLines, CrLfAfterEveryLineAndUtf8Letters) {
  EXPECT_EQ(LinesToUtf8({"a", "", "\xE8\xBE\xF4"}), "a\r\n\r\n\xC4\x8D\xC4\xBE\xC3\xB4\r\n");
  EXPECT_EQ(LinesToUtf8({}), "");
}

// A typed name that ends in the extension already keeps it once.
TEST(TextLines, ExtensionIsAppendedOnce) {
  struct Case {
    const char* chosen;
    const char* extension;
    const char* written;
  } cases[] = {{"kv", ".xml", "kv.xml"},
               {"kv.xml", ".xml", "kv.xml"},
               {"kv.XML", ".xml", "kv.XML"},
               {"kv.xml.txt", ".xml", "kv.xml.txt.xml"},
               {"kvxml", ".xml", "kvxml.xml"},
               {"dir.csv/sums", ".csv", "dir.csv/sums.csv"},
               {"\xE8\xBE.txt", ".txt", "\xE8\xBE.txt"},
               {"\xE8\xBE", ".txt", "\xE8\xBE.txt"}};
  for (const Case& c : cases)
    EXPECT_EQ(FileNameWithExtension(c.chosen, c.extension), c.written) << c.chosen;
}

TEST(TextLinesFile, SaveReplacesTheFileUnderTheExtendedName) {
  const std::string chosen = (TestFolder() / "out").string();
  std::ofstream(chosen + ".csv") << "old content that is longer than the new one";
  EXPECT_EQ(SaveTextLines({"x;1"}, chosen, ".csv"), chosen + ".csv");
  EXPECT_EQ(ReadFileBytes(chosen + ".csv"), "x;1\r\n");
  EXPECT_FALSE(std::filesystem::exists(chosen));
  EXPECT_EQ(SaveTextLines({}, chosen + ".txt", ".txt"), chosen + ".txt");
  EXPECT_EQ(ReadFileBytes(chosen + ".txt"), "");
}

TEST(TextLinesFile, UncreatableFileRaisesCreateError) {
  const std::string chosen = (TestFolder() / "missing-folder" / "out").string();
  EXPECT_TRUE(test_support::Thrown<EFCreateError>([&] {
                SaveTextLines({"x"}, chosen, ".xml");
              }).starts_with("Cannot create file \"" + chosen + ".xml\". "));
}
