#include "workbook/formats/xls/xls_workbook_stream.h"

#include <optional>

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/xls/ole_storage.h"

namespace workbook {

namespace {

// A BIFF8 BOF record: id 0x0809 and BIFF version 0x0600 in its first data word.
bool StartsWithBiff8Bof(TOleStreamReader& stream) {
  if (stream.Size() < 6) return false;
  const std::uint8_t* data = stream.Bytes(0, 6);
  return data[0] == 0x09 && data[1] == 0x08 && data[4] == 0x00 && data[5] == 0x06;
}

}  // namespace

TOleStreamReader XLSOpenWorkbookStream(TStream& source) {
  std::optional<TOleStreamReader> stream;
  try {
    TOleStorage storage;
    storage.Open(source);
    if (storage.OpenStream(u"Workbook", stream)) return std::move(*stream);
    // Excel 5.0/95 names its stream "Book"; a few BIFF8 writers do too, and only the BOF record
    // tells the two apart.
    if (storage.StreamExists(u"Book")) {
      bool biff8 = false;
      try {
        biff8 = storage.OpenStream(u"Book", stream) && StartsWithBiff8Bof(*stream);
      } catch (const EOleStorageException&) {
        // A damaged "Book" stream still marks an old file.
      } catch (const EWorkbookFileException&) {
      }
      if (!biff8) throw EWorkbookFileException(WorkbookLng_OldXLS);
      return std::move(*stream);
    }
  } catch (const EOleStorageException&) {
  }
  throw EWorkbookFileException(WorkbookLng_InvalidXLS);
}

}  // namespace workbook
