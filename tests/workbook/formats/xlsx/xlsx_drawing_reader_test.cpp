#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/text_codec.h"
#include "workbook/core/xml/xml_document.h"
#include "workbook/formats/python_peer.h"
#include "workbook/formats/xlsx/xlsx_sheet_attachments.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/cell.h"
#include "workbook/model/drawing.h"
#include "xlsx_test_support.h"

namespace workbook {
namespace {

constexpr const char* kDrawingHead =
    "<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\" "
    "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">";

std::string Anchor(const std::string& from, const std::string& to, const std::string& rel,
                   const std::string& name = "Pic") {
  return "<xdr:twoCellAnchor><xdr:from>" + from + "</xdr:from><xdr:to>" + to +
         "</xdr:to><xdr:pic><xdr:nvPicPr><xdr:cNvPr id=\"1\" name=\"" + name +
         "\"/></xdr:nvPicPr><xdr:blipFill><a:blip r:embed=\"" + rel +
         "\"/></xdr:blipFill><xdr:spPr><a:solidFill><a:srgbClr val=\"00FF00\"/></a:solidFill>"
         "</xdr:spPr></xdr:pic><xdr:clientData/></xdr:twoCellAnchor>";
}

std::string Marker(int col, long long colOff, int row, long long rowOff) {
  return "<xdr:col>" + std::to_string(col) + "</xdr:col><xdr:colOff>" + std::to_string(colOff) +
         "</xdr:colOff><xdr:row>" + std::to_string(row) + "</xdr:row><xdr:rowOff>" +
         std::to_string(rowOff) + "</xdr:rowOff>";
}

std::string Rels(const std::map<std::string, std::string>& targets) {
  std::string xml =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  for (const auto& [id, target] : targets)
    xml += "<Relationship Id=\"" + id +
           "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
           "image\" Target=\"" +
           target + "\"/>";
  return xml + "</Relationships>";
}

// A zip package (built from parts or read from a file) whose parts are parsed as trees.
class Package {
 public:
  explicit Package(const std::map<std::string, std::string>& parts)
      : stream_(TXLSXParts{parts}.Zip()), zip_(stream_, TZipArchiveMode::Read) {}
  explicit Package(const std::string& file)
      : stream_(Loaded(file)), zip_(stream_, TZipArchiveMode::Read) {}
  TZipArchive& Zip() { return zip_; }
  // The part parsed as a tree; a null node when it is absent.
  TXmlNode Tree(const std::string& name) {
    std::unique_ptr<TMemoryStream> part;
    std::int64_t size = 0;
    if (!zip_.ExtractToMemoryStream(platform::Utf8ToUtf16(name), part, size) || !part)
      return TXmlNode();
    docs_.push_back(std::make_unique<TXmlDocument>());
    docs_.back()->LoadFromStream(*part);
    return docs_.back()->DocumentElement();
  }

 private:
  static TMemoryStream Loaded(const std::string& file) {
    TMemoryStream stream;
    stream.LoadFromFile(file);
    return stream;
  }
  TMemoryStream stream_;
  TZipArchive zip_;
  std::vector<std::unique_ptr<TXmlDocument>> docs_;
};

class DrawingXlsxRead : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    book_ = std::make_unique<TWorkbook>();
    sheet_ = book_->AddWorkSheet(u"S");
  }
  void Read(Package& package, const std::string& drawing) {
    const std::string folder = drawing.substr(0, drawing.rfind('/') + 1);
    const std::string rels = folder + "_rels/" + drawing.substr(folder.size()) + ".rels";
    ReadXLSXDrawingPart(*sheet_, package.Tree(drawing), package.Tree(rels),
                        platform::Utf8ToUtf16(drawing), package.Zip(), TSheetPixelGrid());
  }
  TExportCellDrawing* DrawingAt(int col, int row, int index = 0) {
    TExportCell* cell = nullptr;
    if (!sheet_->FindCell(col, row, cell) || !cell || !cell->DrawingsIfAny()) return nullptr;
    return cell->DrawingsIfAny()->GetItem(index);
  }
  std::unique_ptr<TWorkbook> book_;
  TExportWorkSheet* sheet_ = nullptr;
};

TEST_F(DrawingXlsxRead, PlacesPicturesAndSharesTheirData) {
  Package package(
      {{"xl/media/image1.png", "PNGDATA"},
       {"xl/drawings/_rels/drawing1.xml.rels",
        Rels({{"rId1", "../media/image1.png"}, {"rId2", "/xl/media/image1.png"}})},
       {"xl/drawings/drawing1.xml",
        std::string(kDrawingHead) +
            Anchor(Marker(1, 9535 * 4, 2, 9535 * 2), Marker(3, 9535 * 10, 4, 0), "rId1", "a:b") +
            Anchor(Marker(0, 0, 0, 0), Marker(0, 9535 * 30, 0, 9535 * 15), "rId2") +
            "</xdr:wsDr>"}});
  Read(package, "xl/drawings/drawing1.xml");
  ASSERT_EQ(book_->Drawings.Count(), 1);
  auto* image = dynamic_cast<TExportImage*>(book_->Drawings.GetItem(0));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->KeyName, u"xl/media/image1.png");
  EXPECT_EQ(image->Name, u"a_b");
  EXPECT_EQ(image->Extension, u"png");
  EXPECT_EQ(image->Data.Size(), 7);
  const TExportCellDrawing* first = DrawingAt(1, 2);
  ASSERT_NE(first, nullptr);
  // From B3 + (4, 2) to D5 + (10, 0) over 64 x 20 cells.
  EXPECT_EQ(first->Bounds.Left, 4);
  EXPECT_EQ(first->Bounds.Top, 2);
  EXPECT_EQ(first->Bounds.Right, 138);
  EXPECT_EQ(first->Bounds.Bottom, 40);
  EXPECT_EQ(first->Style.Fill.FillType, TExportDrawingFill::ftSolid);
  EXPECT_EQ(first->Style.Fill.Color, 0x00FF00);
  ASSERT_NE(DrawingAt(0, 0), nullptr);
  EXPECT_EQ(DrawingAt(0, 0)->Drawing(), image);
  EXPECT_EQ(DrawingAt(0, 0)->Bounds.GetWidth(), 30);
}

TEST_F(DrawingXlsxRead, DamagedPicturesAreLeftOutAndTheRestLoads) {
  Package package(
      {{"xl/media/good.png", "OK"},
       {"xl/media/noext", "X"},
       {"xl/drawings/_rels/drawing1.xml.rels", Rels({{"rMissing", "../media/missing.png"},
                                                     {"rGood", "../media/good.png"},
                                                     {"rNoExt", "../media/noext"}})},
       {"xl/drawings/drawing1.xml",
        std::string(kDrawingHead) + Anchor(Marker(0, 0, 0, 0), Marker(1, 0, 1, 0), "rMissing") +
            Anchor(Marker(0, 0, 0, 0), Marker(1, 0, 1, 0), "rUnknownId") +
            Anchor(Marker(0, 0, 0, 0), Marker(1, 0, 1, 0), "rNoExt") +
            Anchor(Marker(16384, 0, 0, 0), Marker(16385, 0, 1, 0), "rGood") +
            Anchor(Marker(0, 0, 2000000, 0), Marker(1, 0, 2000001, 0), "rGood") +
            Anchor(Marker(-1, 0, 0, 0), Marker(1, 0, 1, 0), "rGood") +
            Anchor(Marker(2, 0, 3, 0), "<xdr:col>99999999999999999999</xdr:col>", "rGood") +
            Anchor(Marker(5, 999999999999999999LL, 5, -28605), Marker(6, 0, 6, 0), "rGood") +
            "</xdr:wsDr>"}});
  Read(package, "xl/drawings/drawing1.xml");
  ASSERT_EQ(book_->Drawings.Count(), 1);
  EXPECT_EQ(DrawingAt(0, 0), nullptr);
  ASSERT_NE(DrawingAt(2, 3), nullptr);  // a bad far corner leaves the picture at its size 0
  EXPECT_EQ(DrawingAt(2, 3)->Bounds.GetWidth(), 0);
  ASSERT_NE(DrawingAt(5, 5), nullptr);  // offsets are kept to a sane size
  EXPECT_EQ(DrawingAt(5, 5)->Bounds.Left, 1000000);
  EXPECT_EQ(DrawingAt(5, 5)->Bounds.Top, -3);
}

TEST_F(DrawingXlsxRead, OneCellAnchorTakesItsExtent) {
  Package package(
      {{"xl/media/i.jpeg", "J"},
       {"xl/drawings/_rels/drawing1.xml.rels", Rels({{"rId1", "../media/i.jpeg"}})},
       {"xl/drawings/drawing1.xml",
        std::string(kDrawingHead) + "<xdr:oneCellAnchor><xdr:from>" + Marker(2, 0, 1, 9535) +
            "</xdr:from><xdr:ext cx=\"953500\" cy=\"476750\"/><xdr:pic><xdr:blipFill>"
            "<a:blip r:embed=\"rId1\"/></xdr:blipFill></xdr:pic></xdr:oneCellAnchor></xdr:wsDr>"}});
  Read(package, "xl/drawings/drawing1.xml");
  ASSERT_NE(DrawingAt(2, 1), nullptr);
  EXPECT_EQ(DrawingAt(2, 1)->Bounds.GetWidth(), 100);
  EXPECT_EQ(DrawingAt(2, 1)->Bounds.GetHeight(), 50);
  EXPECT_EQ(book_->Drawings.GetItem(0)->Name, u"i");  // named after the file without a name
}

TEST_F(DrawingXlsxRead, CorpusPicturesAgreeWithPython) {
  const std::filesystem::path dir = std::filesystem::path(SHARED_DIR) / "corpus" / "calamine";
  if (!std::filesystem::exists(dir)) GTEST_SKIP() << "no corpus at " << dir;
  if (!test_support::PythonAvailable()) GTEST_SKIP() << "/usr/bin/python3 is not available";
  const std::map<std::string, std::string> expected = test_support::OutputPerFile(
      test_support::RunPeer("workbook/formats/xlsx/peers/list_pictures.py",
                            {(dir / "picture.xlsx").string(),
                             (dir / "pictures_in_cell_and_over_cell.xlsx").string()}));
  ASSERT_EQ(expected.size(), 2u);
  for (const auto& [file, pictures] : expected) {
    SCOPED_TRACE(file);
    Package package(file);
    std::vector<std::string> ours;
    for (int n = 1; n <= 9; ++n) {
      const std::string part = "xl/drawings/drawing" + std::to_string(n) + ".xml";
      if (!package.Tree(part)) continue;
      TExportWorkSheet* sheet = sheet_ = book_->AddWorkSheet();
      Read(package, part);
      for (int r = 0; r < sheet->Rows.Count(); ++r) {
        TExportRow* row = sheet->GetRow(r);
        for (int c = 0; c < row->Cells.Count(); ++c) {
          TExportCell* cell = row->Cells.GetItem(c);
          if (!cell || !cell->DrawingsIfAny()) continue;
          for (int i = 0; i < cell->DrawingsIfAny()->Count(); ++i) {
            auto* image = dynamic_cast<TExportImage*>(cell->DrawingsIfAny()->GetItem(i)->Drawing());
            ASSERT_NE(image, nullptr);
            ours.push_back(part + "|" + std::to_string(c) + "|" + std::to_string(r) + "|" +
                           std::to_string(image->Data.Size()));
          }
        }
      }
    }
    // Python lists anchors in file order, we list them by cell; compare as sorted lines.
    std::vector<std::string> theirs = test_support::SplitLines(pictures);
    std::sort(theirs.begin(), theirs.end());
    std::sort(ours.begin(), ours.end());
    EXPECT_FALSE(ours.empty());
    EXPECT_EQ(ours, theirs);
  }
}

}  // namespace
}  // namespace workbook
