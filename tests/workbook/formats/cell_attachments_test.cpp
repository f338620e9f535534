// The attachments reach the format writers through the cell-write context.
#include <gtest/gtest.h>

#include "workbook/formats/xml_writer_capture.h"
#include "workbook/model/model_fixture.h"

#include "workbook/formats/xlsx/xlsx_sheet_data_writer.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_comment.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/drawing.h"

namespace workbook {
namespace {

class RecordingContext : public ICellWriteContext {
 public:
  std::uint32_t SharedStringIndex(const TExportCellString&) override { return 0; }
  void AddConditionalFormatting(TExportConditionalFormatting&) override { log += "rules;"; }
  void AddDrawing(TExportCellDrawing&) override { log += "drawing;"; }
  void AddComment(TExportCellComment&) override { log += "comment;"; }
  void WriteODSAttachments(TXmlWriter& writer, TExportCell&) override {
    writer.StartElement("attached");
    writer.EndElement();
  }
  std::string log;
};

using CellAttachments = ModelTest;

TEST_F(CellAttachments, WritersHearOfRulesDrawingsAndCommentsWithText) {
  TWorkbook book;
  TExportWorkSheet* sheet = book.AddWorkSheet();
  TExportCell* plain = sheet->FindCreateCell(0, 0, TCellClass::Number, false);
  TExportCell* rich = sheet->FindCreateCell(1, 0, TCellClass::Number, false);
  TExportConditionalFormattingRule::AddRule(rich->GetConditionalFormatting().Rules, cfoEqual, u"1",
                                            u"");
  TMemoryStream image;
  image.WriteString("x");
  image.SetPosition(0);
  const int index = book.Drawings.AddImage(image, u"a.png");
  rich->AddDrawing(index, 0, 0, 5, 5);
  rich->AddDrawing(index, 5, 5, 5, 5);
  plain->GetComment();  // no text: nothing to write

  RecordingContext context;
  std::string xlsx;
  TXLSXSheetDataWriter writer(xlsx);
  plain->WriteXLSX(writer, u"A1", 0, context);
  EXPECT_EQ(context.log, "");
  rich->WriteXLSX(writer, u"B1", 0, context);
  EXPECT_EQ(context.log, "rules;drawing;drawing;");
  rich->GetComment().SetText(u"n");
  context.log.clear();
  rich->WriteXLSX(writer, u"B1", 0, context);
  EXPECT_EQ(context.log, "rules;drawing;drawing;comment;");

  EXPECT_EQ(test::WriterText([&](TXmlWriter& w) { plain->WriteODS(w, u"ce1", context); }),
            "<table:table-cell table:style-name=\"ce1\"/>");
  EXPECT_EQ(test::WriterText([&](TXmlWriter& w) { rich->WriteODS(w, u"ce1", context); }),
            "<table:table-cell table:style-name=\"ce1\"><attached/></table:table-cell>");
}

}  // namespace
}  // namespace workbook
