// Comments and conditional formats of a package written by openpyxl, read by our part readers
// and compared with what openpyxl itself reads back.
#include <gtest/gtest.h>

#include <sstream>

#include "workbook/formats/python_peer.h"
#include "workbook/formats/xlsx/package_test_support.h"
#include "workbook/formats/xlsx/xlsx_cond_form_styles.h"
#include "workbook/formats/xlsx/xlsx_sheet_attachments.h"
#include "workbook/model/model_fixture.h"

#include "workbook/core/cell_refs.h"
#include "workbook/core/xlsx_colors.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/conditional_formatting.h"

namespace workbook {
namespace {

// The dxfs of styles.xml as the rules read them.
class DxfList : public IXLSXCondFormStyles {
 public:
  explicit DxfList(const TXmlNode& styles) {
    for (const TXmlNode& dxf : styles.FindPath("dxfs").Elements("dxf")) {
      Entry entry;
      if (const TXmlNode font = dxf.Child("font")) {
        entry.style.ReadXLSX(font);
        if (const TXmlNode color = font.Child("color"))
          entry.font = ReadXLSXColor(color, nullptr, nullptr);
      }
      if (const TXmlNode pattern = dxf.FindPath("fill/patternFill"))
        entry.fill = ReadXLSXColor(pattern.Child("bgColor"), nullptr, nullptr);
      entries.push_back(entry);
    }
  }
  int AddStyle(TColor, const TExportFontStyle&, TColor) override { return 0; }
  int NextPriority() override { return 0; }
  int Count() const override { return static_cast<int>(entries.size()); }
  void GetStyle(int index, TColor& font, TExportFontStyle& style, TColor& fill) const override {
    font = entries[index].font;
    style = entries[index].style;
    fill = entries[index].fill;
  }

 private:
  struct Entry {
    TColor font = clNone;
    TExportFontStyle style;
    TColor fill = clNone;
  };
  std::vector<Entry> entries;
};

std::string Hex(TColor color) {
  if (color == clNone) return "";
  const std::u16string hex = ColorToARGBHex(color, false);
  return std::string(hex.begin(), hex.end());
}

std::string Utf8(const std::u16string& text) { return platform::Utf16ToUtf8(text); }

using XlsxExtrasPeer = ModelTest;

TEST_F(XlsxExtrasPeer, CommentsAndRulesOfOpenpyxl) {
  if (!test_support::PythonHasModules("openpyxl"))
    GTEST_SKIP() << "python3-openpyxl is not installed";
  test_support::TScratchDir dir;
  const std::string expected = test_support::RunPeer(
      "workbook/formats/xlsx/peers/comments_and_rules.py", {dir.File("peer.xlsx")});
  test::Package package{dir.File("peer.xlsx")};

  TWorkbook book;
  TExportWorkSheet* sheet = book.AddWorkSheet();
  ReadXLSXComments(*sheet, package.Tree("xl/comments/comment1.xml"),
                   package.Tree("xl/drawings/commentsDrawing1.vml"));
  DxfList dxfs(package.Tree("xl/styles.xml"));
  const TXmlNode worksheet = package.Tree("xl/worksheets/sheet1.xml");
  std::vector<std::pair<std::string, TExportConditionalFormatting*>> formats;
  for (const TXmlNode& node : worksheet.Elements("conditionalFormatting")) {
    int col = 0, row = 0;
    std::u16string first = node.Attr16("sqref");
    first = first.substr(0, first.find(u':'));
    ASSERT_TRUE(ParseCellRefColRow(first, col, row));
    TExportCell* cell = sheet->FindCreateCell(col, row, TCellClass::Empty, false);
    cell->GetConditionalFormatting().ReadXLSX(node, dxfs);
    formats.emplace_back(Utf8(first), cell->ConditionalFormattingIfAny());
  }

  std::string ours;
  for (int r = 0; r < sheet->Rows.Count(); ++r)
    for (int c = 0; c < sheet->GetRow(r)->Cells.Count(); ++c) {
      const TExportCell* cell = sheet->GetRow(r)->Cells.GetItem(c);
      if (!cell || !cell->HasComment()) continue;
      std::string text = Utf8(cell->CommentIfAny()->GetText());
      for (char& ch : text)
        if (ch == '\n') ch = '/';
      ours += "comment|" + Utf8(MakeCellRangeRef(c, r)) + "|" + text + "|" +
              std::to_string(cell->CommentIfAny()->Bounds.GetWidth()) + "|" +
              std::to_string(cell->CommentIfAny()->Bounds.GetHeight()) + "\n";
    }
  for (const auto& [ref, formatting] : formats)
    for (int i = 0; i < formatting->Count(); ++i) {
      const TExportConditionalFormattingRule* rule = formatting->GetRule(i);
      static const char* kNames[] = {"equal",    "notEqual",           "greaterThan",
                                     "lessThan", "greaterThanOrEqual", "lessThanOrEqual",
                                     "between",  "notBetween"};
      ours += "rule|" + ref + "|" + kNames[rule->Operator] + "|" + Utf8(rule->Formula1) +
              (rule->Formula2.empty() ? "" : "," + Utf8(rule->Formula2)) + "|" +
              Hex(rule->FontColor) + "|" + (rule->FontStyle.Bold == 1 ? "b" : "") + "|" +
              Hex(rule->FillColor) + "\n";
    }
  EXPECT_EQ(ours, expected);
}

}  // namespace
}  // namespace workbook
