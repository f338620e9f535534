#pragma once
// The workbook globals substream of a BIFF8 stream: the worksheet list, the date system, where the
// shared strings and the names are, the palette; the fonts, number formats and XF records go to
// the workbook's font registry and the style sheet.
#include <cstdint>
#include <string>
#include <vector>

#include "workbook/formats/xls/ole_stream_reader.h"
#include "workbook/formats/xlsx/xlsx_palette.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/model/font_list.h"

namespace workbook {

class TXLSGlobals {
 public:
  // Reads the globals from the start of stream (the whole "Workbook" stream) in two passes: the
  // first takes the worksheet list, the date system, the palette, the number formats (into
  // styles) and the SST and NAME positions; the second the fonts (into fonts, with the palette's
  // colours) and the XF records (into styles). Fails with EWorkbookFileException:
  // WorkbookLng_OldXLS for a BIFF5 or older stream, WorkbookLng_EncryptedFile when the file is
  // encrypted, WorkbookLng_InvalidXLS when the stream does not begin with the globals' BOF,
  // ends before their EOF, lists no worksheet while worksheet substreams follow, or a record is
  // damaged.
  void Read(TOleStreamReader& stream, TExportFontList& fonts, TExporterXLSX_StyleSheet& styles);

  // Names of the worksheets (BOUNDSHEET records of sheet type 0), in file order.
  const std::vector<std::u16string>& WorksheetNames() const { return worksheetNames_; }
  // Per EXTERNSHEET entry, its first sheet index.
  const std::vector<std::uint16_t>& ExternSheets() const { return externSheets_; }
  bool Date1904() const { return date1904_; }
  // Header positions of the SST record and of the first NAME record; 0 when there is none.
  std::int64_t SSTPosition() const { return sstPosition_; }
  std::int64_t NamePosition() const { return namePosition_; }
  // Position of the first record after the globals' EOF.
  std::int64_t End() const { return end_; }

  const TExporterXLSX_Palette& Palette() const { return palette_; }

 private:
  void CheckBof(TOleStreamReader& stream);
  void FirstPass(TOleStreamReader& stream, TExporterXLSX_StyleSheet& styles);
  void SecondPass(TOleStreamReader& stream, TExportFontList& fonts,
                  TExporterXLSX_StyleSheet& styles);

  std::vector<std::u16string> worksheetNames_;
  std::vector<std::uint16_t> externSheets_;
  bool date1904_ = false;
  std::int64_t sstPosition_ = 0;
  std::int64_t namePosition_ = 0;
  std::int64_t end_ = 0;
  TExporterXLSX_Palette palette_;
};

}  // namespace workbook
