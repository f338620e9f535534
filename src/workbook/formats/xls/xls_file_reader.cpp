#include "workbook/formats/xls/xls_file_reader.h"

#include "workbook/formats/xls/xls_workbook_stream.h"

namespace workbook {

TMemoryStream TXLSFileReader::LoadWorkbookStream(TStream& source) {
  TMemoryStream stream;
  XLSReadWorkbookStream(source, stream);
  return stream;
}

TXLSFileReader::TXLSFileReader(TStream& source, TExportFontList& fonts,
                               TExporterXLSX_StyleSheet& styles)
    : stream_(LoadWorkbookStream(source)), reader_(stream_) {
  globals_.Read(stream_, fonts, styles);
  if (globals_.SSTPosition() != 0) {
    stream_.SetPosition(globals_.SSTPosition());
    sst_.LoadFromStream(stream_);
  }
  reader_.SetPosition(globals_.End());
}

bool TXLSFileReader::ReadNextWorksheet(TXLSSheetTarget* target) {
  return XLSReadWorksheet(stream_, reader_, sst_, target);
}

}  // namespace workbook
