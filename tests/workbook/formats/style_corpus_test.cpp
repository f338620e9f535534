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

std::vector<std::string> CorpusFiles(const std::string& extension) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(fs::path(SHARED_DIR) / "corpus")) {
    if (entry.is_regular_file() && entry.path().extension() == extension) {
      files.push_back(entry.path().string());
    }
  }
  return files;
}

// Blocks "FILE <path>" ... "END" of the peer's output, each line after the header in order.
std::vector<std::vector<std::string>> Blocks(const std::string& output) {
  std::vector<std::vector<std::string>> blocks;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
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
  std::string list;
  for (const std::string& file : CorpusFiles(".xlsx")) list += file + "\n";
  // Each readable file: its styles.xml saved to a scratch folder, then openpyxl's reading of that
  // part alone (loading the workbook would add the borders of merged cells). A font without sz or
  // name is 10 points without a name for us.
  const std::string script = std::string(test::kDescribeStyles) + R"(
import sys, zipfile, warnings, tempfile, os
warnings.simplefilter('ignore')
from openpyxl.styles.stylesheet import Stylesheet
from openpyxl.xml.functions import fromstring
out = tempfile.mkdtemp()
for n, path in enumerate(open(sys.argv[1]).read().split('\n')):
    if not path: continue
    try:
        styles = zipfile.ZipFile(path).read('xl/styles.xml')
        sheet = Stylesheet.from_tree(fromstring(styles))
        for f in sheet.fonts:
            if f.sz is None: f.sz = 10
            if f.name is None: f.name = ''
        lines = [font_line(f) for f in sheet.fonts] + [border_line(b) for b in sheet.borders]
    except Exception:
        continue
    name = os.path.join(out, '%d.xml' % n)
    open(name, 'wb').write(styles)
    print('FILE ' + name)
    print(path)
    for line in lines: print(line)
    print('END')
)";
  const auto blocks = Blocks(test_support::RunPython(script, list));
  ASSERT_FALSE(blocks.empty());
  int compared = 0;
  for (const auto& block : blocks) {
    std::ifstream file(block[0], std::ios::binary);
    const std::string stylesXml((std::istreambuf_iterator<char>(file)), {});
    fs::remove(block[0]);
    test::XmlScratch xml("x");
    xml.Load(stylesXml);
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
  std::string list;
  for (const std::string& file : CorpusFiles(".xls")) list += file + "\n";
  // BIFF8 files only (older FONT records differ); the raw records of the workbook stream and
  // xlrd's reading of them.
  const std::string script = R"(
import sys, struct, xlrd, xlrd.compdoc
for path in open(sys.argv[1]).read().split('\n'):
    if not path: continue
    try:
        book = xlrd.open_workbook(path, formatting_info=True, on_demand=True, logfile=open('/dev/null', 'w'))
        if book.biff_version < 80: continue
        data = open(path, 'rb').read()
        cd = xlrd.compdoc.CompDoc(data, logfile=open('/dev/null', 'w'))
        stream = cd.get_named_stream('Workbook') or cd.get_named_stream('Book')
    except Exception:
        continue
    records = []
    pos = 0
    while pos + 4 <= len(stream):
        rid, size = struct.unpack('<HH', stream[pos:pos+4])
        if rid == 0x31: records.append(stream[pos+4:pos+4+size].hex())
        if rid == 0x0A: break
        pos += 4 + size
    fonts = [f for f in book.font_list if f.font_index != 4 or f.name != 'Dummy Font']
    if len(fonts) != len(records): continue
    print('FILE ' + path)
    for rec, f in zip(records, fonts):
        print(rec + ' ' + '|'.join(str(x) for x in [f.name, f.height // 20, f.italic, f.struck_out,
            int(f.weight >= 700), f.escapement, f.underline_type, f.colour_index]))
    print('END')
)";
  const auto blocks = Blocks(test_support::RunPython(script, list));
  ASSERT_FALSE(blocks.empty());
  int compared = 0;
  for (const auto& block : blocks) {
    for (std::size_t i = 1; i < block.size(); ++i) {
      const std::string& line = block[i];
      const std::size_t space = line.find(' ');
      std::vector<std::uint8_t> data;
      for (std::size_t k = 0; k + 1 < space; k += 2) {
        data.push_back(static_cast<std::uint8_t>(std::stoi(line.substr(k, 2), nullptr, 16)));
      }
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
