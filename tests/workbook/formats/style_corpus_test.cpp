// Fonts and borders of the corpus's files written by other programs, read by us and by the peers
// (openpyxl for styles.xml, xlrd for BIFF8 FONT records).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "style_lines.h"
#include "workbook/formats/python_peer.h"
#include "workbook/formats/xml_test_support.h"
#include "workbook/model/cell_borders_list.h"
#include "workbook/model/font_list.h"

namespace workbook {
namespace {

namespace fs = std::filesystem;

// Blocks "FILE <path>" ... "END" of the peer's output, reading the corpus's files of Extension;
// each block holds the path and the lines after it.
std::vector<std::vector<std::string>> PeerBlocks(const std::string& peer, const char* extension) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(fs::path(SHARED_DIR) / "corpus"))
    if (entry.is_regular_file() && entry.path().extension() == extension)
      files.push_back(entry.path().string());
  std::vector<std::vector<std::string>> blocks;
  for (const std::string& line :
       test_support::SplitLines(test_support::RunPeer("workbook/formats/peers/" + peer, files))) {
    if (line.rfind("FILE ", 0) == 0)
      blocks.push_back({line.substr(5)});
    else if (!blocks.empty() && line != "END")
      blocks.back().push_back(line);
  }
  return blocks;
}

TEST(StyleCorpus, XlsxFontsAndBordersAsOpenpyxlReadsThem) {
  if (!fs::exists(fs::path(SHARED_DIR) / "corpus")) GTEST_SKIP() << "shared corpus not present";
  if (!test_support::PythonHasModules("openpyxl"))
    GTEST_SKIP() << "python3-openpyxl is not installed";
  const auto blocks = PeerBlocks("style_corpus_openpyxl.py", ".xlsx");
  ASSERT_FALSE(blocks.empty());
  int compared = 0;
  for (const auto& block : blocks) {
    std::ifstream file(block[0], std::ios::binary);
    test::XmlScratch xml("x");
    xml.Load(std::string((std::istreambuf_iterator<char>(file)), {}));
    fs::remove(block[0]);
    TXmlNode fontsNode = xml.Root().Child("fonts");
    TXmlNode bordersNode = xml.Root().Child("borders");
    if (!fontsNode || !bordersNode) continue;
    TExportFontList fonts;
    TExportCellBordersList borders;
    fonts.ReadXLSX(fontsNode, nullptr, nullptr);
    borders.ReadXLSX(bordersNode, nullptr, nullptr);
    std::string ours, theirs;
    for (int i = 0; i < fonts.Count(); ++i) ours += test::FontLine(*fonts.GetItem(i)) + "\n";
    for (int i = 0; i < borders.Count(); ++i) ours += test::BorderLine(*borders.GetItem(i)) + "\n";
    for (std::size_t i = 2; i < block.size(); ++i) theirs += block[i] + "\n";
    EXPECT_EQ(ours, theirs) << block[1];
    ++compared;
  }
  EXPECT_GT(compared, 10);
}

TEST(StyleCorpus, XlsFontRecordsAsXlrdReadsThem) {
  if (!fs::exists(fs::path(SHARED_DIR) / "corpus")) GTEST_SKIP() << "shared corpus not present";
  if (!test_support::PythonHasModules("xlrd")) GTEST_SKIP() << "python3-xlrd is not installed";
  const auto blocks = PeerBlocks("style_corpus_xlrd.py", ".xls");
  ASSERT_FALSE(blocks.empty());
  int compared = 0;
  for (const auto& block : blocks) {
    for (std::size_t i = 1; i < block.size(); ++i) {
      const std::string& line = block[i];
      const std::size_t space = line.find(' ');
      std::vector<std::uint8_t> data;
      for (std::size_t k = 0; k + 1 < space; k += 2)
        data.push_back(static_cast<std::uint8_t>(std::stoi(line.substr(k, 2), nullptr, 16)));
      TExportFont font;
      const std::uint16_t colorIndex = font.ReadXLS(data);
      const TExportFontStyle& s = font.GetStyle();
      const int underline[] = {0, 1, 2, 0x21, 0x22, 0};
      const std::string ours =
          platform::Utf16ToUtf8(font.GetName()) + "|" + std::to_string(font.GetSize()) + "|" +
          (s.Italic == 1 ? "1" : "0") + "|" + (s.StrikeOut == 1 ? "1" : "0") + "|" +
          (s.Bold == 1 ? "1" : "0") + "|" +
          std::to_string(s.VertPosition == 3 ? 0 : s.VertPosition) + "|" +
          std::to_string(underline[s.Underline]) + "|" + std::to_string(colorIndex);
      EXPECT_EQ(ours, line.substr(space + 1)) << block[0];
      ++compared;
    }
  }
  EXPECT_GT(compared, 50);
}

}  // namespace
}  // namespace workbook
