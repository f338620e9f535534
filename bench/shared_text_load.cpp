// Loads files in which one long text stands in many cells: an XLSX whose 100,000 cells use one
// 1,000,000-character shared string (with a line break), and an ODS whose 100,000-character text
// is repeated across 16,383 columns; reports load time and peak memory.
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "measure.h"
#include "memory_package.h"
#include "workbook/formats/ods/ods_exporter.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/model/workbook.h"

using bench::PeakKilobytes;
using bench::Seconds;

namespace {

workbook::TMemoryStream SharedStringXlsx(int rows, int cols, std::size_t length) {
  std::string sheetData;
  for (int r = 1; r <= rows; ++r) {
    sheetData += "<row r=\"" + std::to_string(r) + "\">";
    for (int c = 0; c < cols; ++c) sheetData += "<c t=\"s\"><v>0</v></c>";
    sheetData += "</row>";
  }
  std::string text(length, 'x');
  text[length / 2] = '\n';
  return bench::SharedStringsPackage(sheetData, "<si><t>" + text + "</t></si>");
}

workbook::TMemoryStream RepeatedTextOds(std::size_t length, int columns) {
  return bench::Package({
      {"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
      {"content.xml",
       "<office:document-content "
       "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
       "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
       "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body>"
       "<office:spreadsheet><table:table table:name=\"S\"><table:table-row>"
       "<table:table-cell office:value-type=\"string\" table:number-columns-repeated=\"" +
           std::to_string(columns) + "\"><text:p>" + std::string(length, 'y') +
           "</text:p></table:table-cell><table:table-cell/></table:table-row></table:table>"
           "</office:spreadsheet></office:body></office:document-content>"},
  });
}

void Load(const char* what, workbook::TMemoryStream stream, workbook::TCustomExporter& exporter) {
  const long before = PeakKilobytes();
  const auto start = std::chrono::steady_clock::now();
  {
    workbook::TWorkbook book;
    book.ShowProgress = false;
    book.LoadFromStream(stream, exporter);
  }
  std::printf("%s: %.3f s, peak grew by %.1f MB\n", what, Seconds(start),
              (PeakKilobytes() - before) / 1024.0);
}

}  // namespace

int main() {
  workbook::WorkbookDateFormat = u"%sysdate%";
  workbook::WorkbookTimeFormat = u"%systime%";
  workbook::TExporterODS ods;
  Load("ODS, a 100,000-character text repeated across 16,383 columns",
       RepeatedTextOds(100'000, 16'383), ods);
  workbook::TExporterXLSX xlsx;
  Load("XLSX, 12,000 cells sharing one 1,000,000-character string",
       SharedStringXlsx(120, 100, 1'000'000), xlsx);
  Load("XLSX, 100,000 cells sharing one 1,000,000-character string",
       SharedStringXlsx(1000, 100, 1'000'000), xlsx);
  return 0;
}
