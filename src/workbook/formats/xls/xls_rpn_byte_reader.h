#pragma once
// Reads the token bytes of one formula, never beyond their declared size: a token whose operands
// run past it makes the file damaged (EWorkbookFileException with the invalid-XLS text).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "workbook/model/formula/rpn_formula.h"

namespace workbook {

class TRPNByteReader {
 public:
  // base: the cell the relative forms of references count from.
  explicit TRPNByteReader(const std::vector<std::uint8_t>& bytes, TRPNBaseCell base = {})
      : bytes_(bytes), base_(base) {}

  const TRPNBaseCell& Base() const { return base_; }

  bool AtEnd() const { return pos_ >= bytes_.size(); }
  std::uint8_t ReadByte();
  std::uint16_t ReadWord();
  double ReadDouble();
  void Skip(std::size_t count);

 private:
  void Need(std::size_t count) const;

  const std::vector<std::uint8_t>& bytes_;
  TRPNBaseCell base_;
  std::size_t pos_ = 0;
};

}  // namespace workbook
