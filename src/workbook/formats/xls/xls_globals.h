#pragma once
// The workbook globals substream of a BIFF8 stream: the worksheet list, the date system, where the
// shared strings and the names are, the palette, the fonts, the number formats and the XF records.
#include <cstdint>
#include <string>
#include <vector>

#include "workbook/core/stream.h"
#include "workbook/formats/xls/xls_number_formats.h"
#include "workbook/formats/xlsx/xlsx_palette.h"
#include "workbook/model/font_list.h"

namespace workbook {

// The parts of an XF record a cell's value needs: its font (as an index of the font registry)
// and its number format.
struct TXLSCellFormat {
  std::uint16_t Font = 0;
  std::uint16_t Format = 0;
};

class TXLSGlobals {
 public:
  // Reads the globals from the start of Stream (the whole "Workbook" stream) in two passes: the
  // first takes the worksheet list, the date system, the palette, the number formats and the SST
  // and NAME positions; the second the fonts (into Fonts, with the palette's colours) and the
  // XF records. Fails with EWorkbookFileException: WorkbookLng_OldXLS for a BIFF5 or older
  // stream, WorkbookLng_EncryptedXLS when the file is encrypted, WorkbookLng_InvalidXLS when
  // the stream does not begin with the globals' BOF or a record is damaged.
  void Read(TMemoryStream& stream, TExportFontList& fonts);

  // Names of the worksheets (BOUNDSHEET records of sheet type 0), in file order.
  const std::vector<std::u16string>& WorksheetNames() const { return worksheetNames_; }
  // Per EXTERNSHEET entry, its first sheet index.
  const std::vector<std::uint16_t>& ExternSheets() const { return externSheets_; }
  bool Date1904() const { return date1904_; }
  // Header positions of the SST record and of the first NAME record; 0 when there is none.
  std::int64_t SSTPosition() const { return sstPosition_; }
  std::int64_t NamePosition() const { return namePosition_; }
  // Position of the first record after the globals' EOF; the stream's size when it has none.
  std::int64_t End() const { return end_; }

  const TExporterXLSX_Palette& Palette() const { return palette_; }
  const TXLSNumberFormats& NumberFormats() const { return formats_; }
  const std::vector<TXLSCellFormat>& CellFormats() const { return cellFormats_; }
  // The XF record at Index; XF 0 for an index beyond the list (a cell naming a missing XF keeps
  // the default format), General when the file has no XF at all.
  const TXLSCellFormat& CellFormat(std::uint16_t index) const;

 private:
  void CheckBof(TMemoryStream& stream);
  void FirstPass(TMemoryStream& stream);
  void SecondPass(TMemoryStream& stream, TExportFontList& fonts);

  std::vector<std::u16string> worksheetNames_;
  std::vector<std::uint16_t> externSheets_;
  bool date1904_ = false;
  std::int64_t sstPosition_ = 0;
  std::int64_t namePosition_ = 0;
  std::int64_t end_ = 0;
  TExporterXLSX_Palette palette_;
  TXLSNumberFormats formats_;
  std::vector<TXLSCellFormat> cellFormats_;
  TXLSCellFormat general_;
};

}  // namespace workbook
