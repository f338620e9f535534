#pragma once
// A rectangle in pixels: the bounds of pictures and comment boxes.
#include <cstdint>

#include "workbook/core/object.h"

namespace workbook {

class TClassRect : public TPersistent {
 public:
  TClassRect() = default;
  TClassRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
      : Left(left), Top(top), Right(right), Bottom(bottom) {}

  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;

  // The four values by index: 0 Left, 1 Top, 2 Right, 3 Bottom; EListError for any other index.
  std::int32_t GetValue(int index) const;
  void SetValue(int index, std::int32_t value);
  // The value an index has in a new rectangle (0 for all four).
  virtual std::int32_t GetDefaultValue(int index) const;

  std::int32_t GetWidth() const { return Right - Left; }
  std::int32_t GetHeight() const { return Bottom - Top; }
  void SetWidth(std::int32_t width) { Right = Left + width; }
  void SetHeight(std::int32_t height) { Bottom = Top + height; }

  void AssignTo(TPersistent& dest) const override;

  // Keeps the width and places the rectangle in the middle of R (halves rounded down).
  void CenterHorizontally(const TClassRect& r);
  // Keeps the height, likewise.
  void CenterVertically(const TClassRect& r);
  void CenterIn(const TClassRect& r);

 private:
  static constexpr int kValueCount = 4;
  std::int32_t& Value(int index);
};

}  // namespace workbook
