#pragma once
// The worksheets' records while a workbook is written: a list of memory streams, a new one every
// so many cells, so that no buffer grows with a sheet and the whole stream is never copied again.
// The streams join the output list after the globals, whose BOUNDSHEET records need their sizes.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "workbook/core/stream.h"
#include "workbook/formats/zip/compression_stream.h"

namespace workbook {

class TExporterXLSX_MemoryStreamList;

class TXLSSheetStreams : public TStream {
 public:
  // compress: the streams are written through the compression wrapper and read back through the
  // decompression wrapper when they join the output list.
  explicit TXLSSheetStreams(bool compress) : compress_(compress) {}

  // The next worksheet begins in a stream of its own.
  void BeginSheet();
  // Closes the current stream and starts the next one; only between two records.
  void Cut();
  // Moves every stream into list in order, the first one standing at offset in the whole; tells
  // sheetStart each worksheet's index and the offset of its first stream.
  void MoveTo(TExporterXLSX_MemoryStreamList& list, std::int64_t offset,
              const std::function<void(std::size_t sheet, std::int64_t offset)>& sheetStart);

  // Writing goes to the current stream; positions are within it. Nothing is read back here.
  std::size_t Read(void*, std::size_t) override { return 0; }
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override;

 private:
  struct TPart {
    std::unique_ptr<TMemoryStream> Stream;
    std::int64_t Size;  // as written, before any compression
  };
  TStream& Target();
  void Close();

  bool compress_;
  std::vector<TPart> parts_;
  // Per worksheet, the index of its first part.
  std::vector<std::size_t> sheetFirst_;
  std::unique_ptr<TMemoryStream> current_;
  std::unique_ptr<TCompressionStream> wrapper_;
};

}  // namespace workbook
