#include "workbook/formats/zip/zip_archive.h"

#include "platform/text_codec.h"
#include "workbook/core/path_utils.h"

namespace workbook {

namespace {

std::string EntryName(const std::u16string& fileName) {
  return platform::Utf16ToUtf8(NormalizePathDelimiters(fileName, false, u'/'));
}

}  // namespace

TZipArchive::TZipArchive(TStream& stream, TZipArchiveMode mode) : adapter_(stream, mode) {}

void TZipArchive::AddFile(const std::u16string& fileName, TStream& stream, bool stored) {
  adapter_.Insert(EntryName(fileName), stream, stored);
}

void TZipArchive::AddDeflated(const std::u16string& fileName, const std::vector<TStream*>& pieces) {
  adapter_.InsertDeflated(EntryName(fileName), pieces);
}

int TZipArchive::IndexOf(const std::u16string& fileName) const {
  return adapter_.Locate(EntryName(fileName));
}

bool TZipArchive::ExtractToStream(const std::u16string& fileName, TStream& stream) {
  return ExtractIndexToStream(IndexOf(fileName), stream);
}

bool TZipArchive::ExtractIndexToStream(int index, TStream& stream) {
  if (!ValidIndex(index)) return false;
  adapter_.Extract(index, stream);
  return true;
}

bool TZipArchive::ExtractToMemoryStream(const std::u16string& fileName,
                                        std::unique_ptr<TMemoryStream>& stream, std::int64_t& size,
                                        std::uint64_t maxSize) {
  int index = IndexOf(fileName);
  if (index < 0) {
    stream.reset();
    size = 0;
    return false;
  }
  return ExtractIndexToMemoryStream(index, stream, size, maxSize);
}

bool TZipArchive::ExtractIndexToMemoryStream(int index, std::unique_ptr<TMemoryStream>& stream,
                                             std::int64_t& size, std::uint64_t maxSize) {
  if (!ValidIndex(index)) return false;
  stream = std::make_unique<TMemoryStream>(adapter_.ExtractToBuffer(index, maxSize));
  size = stream->Size();
  return true;
}

std::u16string TZipArchive::GetFileName(int index) const {
  return ValidIndex(index) ? platform::Utf8ToUtf16(adapter_.Name(index)) : std::u16string();
}

}  // namespace workbook
