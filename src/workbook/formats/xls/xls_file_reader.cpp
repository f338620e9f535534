#include "workbook/formats/xls/xls_file_reader.h"

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/formats/xls/xls_workbook_stream.h"

namespace workbook {

namespace {

// Excel 2.1 to 4.0 wrote a bare BIFF stream with no compound file around it: a BOF record of
// BIFF2 (0x0009), BIFF3 (0x0209) or BIFF4 (0x0409) at the very start.
bool StartsWithOldBof(TStream& source, std::int64_t start) {
  std::uint8_t header[4] = {};
  source.SetPosition(start);
  if (source.Read(header, sizeof header) != sizeof header) return false;
  const std::uint16_t id = XLSDecodeWord(header);
  const std::uint16_t size = XLSDecodeWord(header + 2);
  return (id == xls_record::kBof2 || id == xls_record::kBof3 || id == xls_record::kBof4) &&
         size >= 4 && size <= 16;
}

}  // namespace

TOleStreamReader TXLSFileReader::OpenWorkbookStream(TStream& source) {
  const std::int64_t start = source.Position();
  try {
    return XLSOpenWorkbookStream(source);
  } catch (const EWorkbookFileException&) {
    if (StartsWithOldBof(source, start)) throw EWorkbookFileException(WorkbookLng_OldXLS);
    throw;
  }
}

TXLSFileReader::TXLSFileReader(TStream& source, TExportFontList& fonts,
                               TExporterXLSX_StyleSheet& styles, TItemBlocks& textBlocks)
    : stream_(OpenWorkbookStream(source)), reader_(stream_) {
  globals_.Read(stream_, fonts, styles);
  if (globals_.SSTPosition() != 0)
    sst_.LoadFromStream(stream_, globals_.SSTPosition(), &textBlocks);
  reader_.SetPosition(globals_.End());
}

bool TXLSFileReader::ReadNextWorksheet(IXLSSheetTarget* target) {
  return XLSReadWorksheet(reader_, sst_, target);
}

}  // namespace workbook
