#pragma once
// Reads the token bytes of one formula, never beyond their declared size: a token whose operands
// run past it makes the file damaged (EWorkbookFileException with the invalid-XLS text).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace workbook {

class TRPNByteReader {
 public:
  explicit TRPNByteReader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

  bool AtEnd() const { return pos_ >= bytes_.size(); }
  std::uint8_t ReadByte();
  std::uint16_t ReadWord();
  double ReadDouble();
  void Skip(std::size_t count);

 private:
  void Need(std::size_t count) const;

  const std::vector<std::uint8_t>& bytes_;
  std::size_t pos_ = 0;
};

}  // namespace workbook
