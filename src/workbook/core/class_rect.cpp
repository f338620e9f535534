#include "workbook/core/class_rect.h"

namespace workbook {
namespace {

// The start of a span of size centred in from..to, rounded toward minus infinity.
std::int32_t CenteredStart(std::int32_t from, std::int32_t to, std::int32_t size) {
  const std::int64_t twice = std::int64_t{from} + to - size;
  return static_cast<std::int32_t>(twice >= 0 ? twice / 2 : -((-twice + 1) / 2));
}

}  // namespace

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
