// A worksheet of a million cells (100,000 rows of 10) the way the XLSX reader meets it: deflated in
// a package, inflated into memory, then walked with the sequential reader one row at a time as a
// small tree, reading every cell's r, s, t and value. Prints the time of each step.
#include <chrono>
#include <cstdio>
#include <string>

#include "workbook/core/xml/xml_reader.h"
#include "workbook/core/xml/xml_writer.h"
#include "workbook/formats/zip/zip_archive.h"

using namespace workbook;

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main() {
  constexpr int kRows = 100000, kCols = 10;
  const char* letters = "ABCDEFGHIJ";

  auto start = std::chrono::steady_clock::now();
  TMemoryStream sheet;
  {
    TXmlWriter writer(sheet);
    writer.StartDocument();
    writer.StartElement("worksheet");
    writer.WriteAttribute("xmlns", "http://schemas.openxmlformats.org/spreadsheetml/2006/main");
    writer.StartElement("sheetData");
    for (int r = 1; r <= kRows; ++r) {
      writer.StartElement("row");
      writer.WriteAttribute("r", std::to_string(r));
      for (int c = 0; c < kCols; ++c) {
        writer.StartElement("c");
        writer.WriteAttribute("r", std::string(1, letters[c]) + std::to_string(r));
        writer.WriteAttribute("s", "1");
        if (c % 3 == 0) writer.WriteAttribute("t", "s");
        writer.WriteElementString("v", std::to_string(r * 31 + c * 7) + ".25");
        writer.EndElement();
      }
      writer.EndElement();
    }
    writer.EndDocument();
    writer.Flush();
  }
  std::printf("write %d cells: %.3f s, %.1f MB\n", kRows * kCols, Seconds(start),
              sheet.Size() / 1e6);

  start = std::chrono::steady_clock::now();
  TMemoryStream package;
  {
    TZipArchive zip(package, TZipArchiveMode::Create);
    sheet.SetPosition(0);
    zip.AddFile(u"xl/worksheets/sheet1.xml", sheet);
  }
  std::printf("deflate: %.3f s, %.1f MB\n", Seconds(start), package.Size() / 1e6);

  start = std::chrono::steady_clock::now();
  std::unique_ptr<TMemoryStream> part;
  std::int64_t size = 0;
  TZipArchive zip(package, TZipArchiveMode::Read);
  zip.ExtractToMemoryStream(u"xl\\worksheets\\sheet1.xml", part, size);
  std::printf("inflate: %.3f s\n", Seconds(start));

  start = std::chrono::steady_clock::now();
  TXmlReader reader(part->Memory(), static_cast<std::size_t>(size));
  long cells = 0;
  double sum = 0;
  std::size_t refs = 0;
  reader.ReadToPath("worksheet/sheetData");
  int depth = reader.Depth();
  while (reader.NextChildElement(depth)) {
    TXmlNode row = reader.Expand();
    for (TXmlNode c = row.FirstElement(); c; c = c.NextElement()) {
      refs += c.Attr("r").size() + c.Attr("s").size() + c.Attr("t").size();
      std::string_view v = c.Child("v").Text();
      sum += std::strtod(std::string(v).c_str(), nullptr);
      ++cells;
    }
  }
  std::printf("read %ld cells: %.3f s (checksum %.0f %zu)\n", cells, Seconds(start), sum, refs);

  // The same walk without trees: node by node.
  start = std::chrono::steady_clock::now();
  TXmlReader flat(part->Memory(), static_cast<std::size_t>(size));
  cells = 0;
  sum = 0;
  refs = 0;
  flat.ReadToPath("worksheet/sheetData");
  depth = flat.Depth();
  while (flat.NextChildElement(depth)) {
    int rowDepth = flat.Depth();
    while (flat.NextChildElement(rowDepth)) {
      refs += flat.Attr("r").size() + flat.Attr("s").size() + flat.Attr("t").size();
      int cellDepth = flat.Depth();
      while (flat.NextChildElement(cellDepth))
        if (flat.Read() && flat.NodeType() == TXmlNodeType::Text)
          sum += std::strtod(std::string(flat.Value()).c_str(), nullptr);
      ++cells;
    }
  }
  std::printf("read %ld cells node by node: %.3f s (checksum %.0f %zu)\n", cells, Seconds(start),
              sum, refs);
}
