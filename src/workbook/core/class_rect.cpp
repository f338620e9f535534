#include "workbook/core/class_rect.h"

#include "workbook/core/list_error.h"

namespace workbook {
namespace {

// The start of a span of size centred in from..to, rounded toward minus infinity.
std::int32_t CenteredStart(std::int32_t from, std::int32_t to, std::int32_t size) {
  const std::int64_t twice = std::int64_t{from} + to - size;
  return static_cast<std::int32_t>(twice >= 0 ? twice / 2 : -((-twice + 1) / 2));
}

}  // namespace

std::int32_t TClassRect::GetValue(int index) const {
  return const_cast<TClassRect*>(this)->Value(index);
}

void TClassRect::SetValue(int index, std::int32_t value) { Value(index) = value; }

std::int32_t TClassRect::GetDefaultValue(int index) const {
  if (index < 0 || index >= kValueCount) RaiseListIndexError(index);
  return 0;
}

std::int32_t& TClassRect::Value(int index) {
  switch (index) {
    case 0:
      return Left;
    case 1:
      return Top;
    case 2:
      return Right;
    case 3:
      return Bottom;
    default:
      RaiseListIndexError(index);
  }
}

void TClassRect::AssignTo(TPersistent& dest) const {
  auto* rect = dynamic_cast<TClassRect*>(&dest);
  if (!rect) return TPersistent::AssignTo(dest);
  rect->Left = Left;
  rect->Top = Top;
  rect->Right = Right;
  rect->Bottom = Bottom;
}

void TClassRect::CenterHorizontally(const TClassRect& r) {
  const std::int32_t width = GetWidth();
  Left = CenteredStart(r.Left, r.Right, width);
  Right = Left + width;
}

void TClassRect::CenterVertically(const TClassRect& r) {
  const std::int32_t height = GetHeight();
  Top = CenteredStart(r.Top, r.Bottom, height);
  Bottom = Top + height;
}

void TClassRect::CenterIn(const TClassRect& r) {
  CenterHorizontally(r);
  CenterVertically(r);
}

}  // namespace workbook
