#pragma once
// TExporterXLSX_MemoryStreamList: big parts are built in pieces, each held plain or deflated by
// the compression wrapper; the pieces read in order as one stream, and go into a zip entry
// without first being joined into a second copy (deflated pieces as they are).
#include <cstdint>
#include <memory>
#include <vector>

#include "workbook/core/stream.h"
#include "workbook/formats/zip/compression_stream.h"

namespace workbook {

class TWorkbook;
class TZipArchive;

class TExporterXLSX_MemoryStreamList_Item {
 public:
  TExporterXLSX_MemoryStreamList_Item(std::unique_ptr<TStream> stream, bool compressed);

  std::size_t Read(void* buffer, std::size_t count);
  // Back to the start, the decompression wrapper freed.
  void Reset();
  bool Compressed() const { return compressed_; }
  TStream& Stream() { return *stream_; }

  std::int64_t Size = 0;  // uncompressed
  std::int64_t Start = 0;

 private:
  std::unique_ptr<TStream> stream_;
  bool compressed_;
  std::unique_ptr<TDecompressionStream> decompression_;
};

class TExporterXLSX_MemoryStreamList : public TStream {
 public:
  // workbook (may be nullptr) hears the progress of reading in megabytes.
  explicit TExporterXLSX_MemoryStreamList(TWorkbook* workbook = nullptr);

  // Insert a part at index, or append when index is negative; the list owns it and rewinds it.
  void AddStream(std::unique_ptr<TStream> stream, int index = -1);
  // A buffer a compression wrapper finished; it is read back, and its size taken, through a
  // decompression wrapper.
  void AddCompressed(std::unique_ptr<TStream> stream, int index = -1);
  // Appends a part holding a copy of count bytes: deflated at level when compress is set, plain
  // otherwise.
  void AddBytes(const void* data, std::size_t count, bool compress, int level = kZipDeflateLevel);
  int Count() const { return static_cast<int>(items_.size()); }

  // Adds the parts in order to zip as one entry: deflated parts are copied as they are, never
  // inflated and deflated again; plain parts are deflated on the way.
  void AddToZip(TZipArchive& zip, const std::u16string& fileName);

  std::size_t Read(void* buffer, std::size_t count) override;
  // Read only: nothing is written.
  std::size_t Write(const void*, std::size_t) override { return 0; }
  // Only rewinding and asking for the position or size; anything else raises std::runtime_error.
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override;

 private:
  void Insert(std::unique_ptr<TExporterXLSX_MemoryStreamList_Item> item, int index);
  void UpdateOffsets();
  // The compressing stage at position, once per megabyte (12 bits, as the dialog counts).
  void ReportProgress(std::int64_t position);

  std::vector<std::unique_ptr<TExporterXLSX_MemoryStreamList_Item>> items_;
  std::int64_t size_ = 0;
  std::int64_t position_ = 0;
  std::size_t current_ = 0;
  bool dirty_ = false;
  TWorkbook* workbook_;
  std::int64_t lastMegabyte_ = -1;
};

}  // namespace workbook
