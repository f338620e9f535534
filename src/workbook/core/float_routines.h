#pragma once
// Comparing and rounding floating-point values the way the whole library does.
namespace workbook {

// Equal within max(min(|a|, |b|) * 1e-12, 1e-12).
bool SameFloat(double a, double b);
// The nearest whole number, halves to the even one (2.5 gives 2), as pixel sizes are rounded.
int RoundHalfEven(double value);

}  // namespace workbook
