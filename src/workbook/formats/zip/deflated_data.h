#pragma once
// TDeflatedData: bytes deflated as they are written, the way a zip entry holds them (raw deflate),
// with their CRC-32 and count kept on the way, so a large part is never held uncompressed.
// Pieces deflated apart join into one entry (TZipArchive::AddDeflated): every piece but the last
// ends on a byte boundary without the final-block mark, so their concatenation is one valid
// deflate stream.
#include <cstdint>
#include <memory>
#include <vector>

namespace workbook {

// The deflate level of every zip entry the library writes. On worksheet XML, level 5 packs as
// tightly as zlib's default (6) in about two thirds of its time; lower levels leave packages
// about a tenth larger (measured in bench/README.md).
inline constexpr int kZipDeflateLevel = 5;

class TDeflatedData {
 public:
  // Level: zlib's 1 (fastest) to 9 (smallest).
  explicit TDeflatedData(int level = kZipDeflateLevel);
  ~TDeflatedData();
  TDeflatedData(const TDeflatedData&) = delete;
  TDeflatedData& operator=(const TDeflatedData&) = delete;

  void Write(const void* buffer, std::size_t count);
  // Ends the data; Last marks it the final piece of its entry. Nothing may be written after.
  void Finish(bool last);

  const std::vector<std::uint8_t>& Compressed() const { return compressed_; }
  std::uint32_t Crc() const { return crc_; }
  std::uint64_t UncompressedSize() const { return size_; }

 private:
  void Deflate(int flush);

  struct TState;
  std::unique_ptr<TState> state_;
  std::vector<std::uint8_t> compressed_;
  std::uint32_t crc_ = 0;
  std::uint64_t size_ = 0;
};

}  // namespace workbook
