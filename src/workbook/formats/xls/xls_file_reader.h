#pragma once
// One read of an .xls file below the workbook model: the BIFF8 stream taken out of the compound
// file, its globals and shared strings read, then its worksheets one after the other.
#include <cstddef>

#include "workbook/core/stream.h"
#include "workbook/formats/xls/xls_globals.h"
#include "workbook/formats/xls/xls_record_reader.h"
#include "workbook/formats/xls/xls_shared_strings.h"
#include "workbook/formats/xls/xls_sheet_reader.h"
#include "workbook/model/font_list.h"

namespace workbook {

class TXLSFileReader {
 public:
  // Reads the compound file at Source's position up to the worksheets: the globals (fonts into
  // fonts, number formats and XF records into styles) and the shared strings. The records are
  // read where they lie in Source, which must stay open while the reader is used. Failures:
  // EWorkbookFileException as XLSOpenWorkbookStream and TXLSGlobals.Read give them,
  // EXLSSharedStrings for a damaged SST. The shared strings' texts take their room in textBlocks
  // (the workbook's), where cells that share them keep them.
  TXLSFileReader(TStream& source, TExportFontList& fonts, TExporterXLSX_StyleSheet& styles,
                 TItemBlocks& textBlocks);

  const TXLSGlobals& Globals() const { return globals_; }
  const TXLSSharedStrings_Import& SharedStrings() const { return sst_; }
  // The "Workbook" stream, for the records read by their position (NAME).
  TOleStreamReader& Stream() { return stream_; }

  // Reads the next worksheet substream into target, or passes over it when target is null; the
  // substreams are matched to the worksheet list by their order. False when no worksheet is left
  // in the stream.
  bool ReadNextWorksheet(IXLSSheetTarget* target);

 private:
  static TOleStreamReader OpenWorkbookStream(TStream& source);

  TOleStreamReader stream_;
  TXLSGlobals globals_;
  TXLSSharedStrings_Import sst_;
  TXLSRecordReader reader_;
};

}  // namespace workbook
