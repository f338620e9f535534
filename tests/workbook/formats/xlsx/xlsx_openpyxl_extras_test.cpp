// Comments, conditional formats and pictures of a package written by openpyxl, read through our
// XLSX handler: the comments and rules compared with what openpyxl itself reads back. openpyxl
// writes its drawings in the default namespace and places its parts in folders of its own, so
// none of them may depend on the prefixes or paths Excel uses.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/text_codec.h"
#include "workbook/core/cell_refs.h"
#include "workbook/core/xlsx_colors.h"
#include "workbook/formats/python_peer.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/drawing.h"
#include "xlsx_test_support.h"

namespace workbook {
namespace {

std::string Hex(TColor color) {
  if (color == clNone) return "";
  const std::u16string hex = ColorToARGBHex(color, false);
  return std::string(hex.begin(), hex.end());
}

std::string Utf8(const std::u16string& text) { return platform::Utf16ToUtf8(text); }

using XlsxExtrasPeer = XLSXReaderTest;

TEST_F(XlsxExtrasPeer, CommentsRulesAndPicturesOfOpenpyxl) {
  if (!test_support::PythonHasModules("openpyxl, PIL"))
    GTEST_SKIP() << "/usr/bin/python3 with openpyxl and PIL is not installed";
  test_support::TScratchDir dir;
  const std::string expected = test_support::RunPeer(
      "workbook/formats/xlsx/peers/openpyxl_extras.py", {dir.File("peer.xlsx")});
  TFileStream file(dir.File("peer.xlsx"), TFileMode::OpenRead);
  LoadStream(file);
  TExportWorkSheet* sheet = Book->WorkSheets.GetItem(0);

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
  for (int r = 0; r < sheet->Rows.Count(); ++r)
    for (int c = 0; c < sheet->GetRow(r)->Cells.Count(); ++c) {
      const TExportConditionalFormatting* formatting =
          sheet->GetRow(r)->Cells.GetItem(c)->ConditionalFormattingIfAny();
      for (int i = 0; formatting && i < formatting->Count(); ++i) {
        const TExportConditionalFormattingRule* rule = formatting->GetRule(i);
        static const char* kNames[] = {"equal",    "notEqual",           "greaterThan",
                                       "lessThan", "greaterThanOrEqual", "lessThanOrEqual",
                                       "between",  "notBetween"};
        ours += "rule|" + Utf8(MakeCellRangeRef(c, r)) + "|" + kNames[rule->Operator] + "|" +
                Utf8(rule->Formula1) + (rule->Formula2.empty() ? "" : "," + Utf8(rule->Formula2)) +
                "|" + Hex(rule->FontColor) + "|" + (rule->FontStyle.Bold == 1 ? "b" : "") + "|" +
                Hex(rule->FillColor) + "\n";
      }
    }
  EXPECT_EQ(ours, expected);

  ASSERT_EQ(Book->Drawings.Count(), 2);  // openpyxl stores each picture as a part of its own
  TExportCell* cell = nullptr;
  ASSERT_TRUE(sheet->FindCell(2, 2, cell));
  ASSERT_NE(cell->DrawingsIfAny(), nullptr);
  EXPECT_EQ(cell->DrawingsIfAny()->GetItem(0)->Bounds.GetWidth(), 40);
  EXPECT_EQ(cell->DrawingsIfAny()->GetItem(0)->Bounds.GetHeight(), 20);
  // The far corner lies on the sheet's own widths: B and C as read, plus the end offset.
  ASSERT_TRUE(sheet->FindCell(1, 1, cell));
  ASSERT_NE(cell->DrawingsIfAny(), nullptr);
  const TClassRect& spanned = cell->DrawingsIfAny()->GetItem(0)->Bounds;
  const double b = sheet->Cols.FindCol(1)->Width, c = sheet->Cols.FindCol(2)->Width;
  EXPECT_GT(b, c);
  EXPECT_EQ(spanned.Left, 10);
  EXPECT_EQ(spanned.Right, static_cast<int>(std::lround(b + c + 20)));
}

}  // namespace
}  // namespace workbook
