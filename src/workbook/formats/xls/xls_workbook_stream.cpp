#include "workbook/formats/xls/xls_workbook_stream.h"

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/xls/ole_storage.h"

namespace workbook {

namespace {

// A BIFF8 BOF record: id 0x0809 and BIFF version 0x0600 in its first data word.
bool StartsWithBiff8Bof(const TMemoryStream& stream) {
  const std::vector<std::uint8_t>& data = stream.Data();
  return data.size() >= 6 && data[0] == 0x09 && data[1] == 0x08 && data[4] == 0x00 &&
         data[5] == 0x06;
}

}  // namespace

void XLSReadWorkbookStream(TStream& source, TStream& target) {
  try {
    TOleStorage storage;
    storage.Open(source);
    if (storage.ReadStream(u"Workbook", target)) return;
    // Excel 5.0/95 names its stream "Book"; a few BIFF8 writers do too, and only the BOF record
    // tells the two apart.
    if (storage.StreamExists(u"Book")) {
      TMemoryStream book;
      try {
        storage.ReadStream(u"Book", book);
      } catch (const EOleStorageException&) {
        // A damaged "Book" stream still marks an old file.
      }
      if (!StartsWithBiff8Bof(book)) throw EWorkbookFileException(WorkbookLng_OldXLS);
      target.WriteBuffer(book.Memory(), book.Data().size());
      return;
    }
  } catch (const EOleStorageException&) {
  }
  throw EWorkbookFileException(WorkbookLng_InvalidXLS);
}

}  // namespace workbook
