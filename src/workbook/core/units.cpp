#include "workbook/core/units.h"

#include "workbook/core/invariant_texts.h"

namespace workbook {

namespace {

constexpr double kCmPerInch = 2.54;
constexpr double kPointsPerPixel = 0.75;

}  // namespace

double CmToInch(double x) { return x * (1 / kCmPerInch); }
double InchToCm(double x) { return x / (1 / kCmPerInch); }

double XLSXColWidthToPixels(std::u16string_view text, double charWidth) {
  return ISOStrToFloat(text) * charWidth;
}

double XLSXPointsToPixels(std::u16string_view text) {
  return ISOStrToFloat(text) / kPointsPerPixel;
}

double XLSXLeadingPointsToPixels(std::u16string_view text) {
  size_t n = 0;
  while (n < text.size() && ((text[n] >= u'0' && text[n] <= u'9') || text[n] == u'.')) ++n;
  return n == 0 ? 0 : XLSXPointsToPixels(text.substr(0, n));
}

double XLSColWidthToPixels(double width, double charWidth) { return width * charWidth / 256; }

bool XMLStrToBoolDef(std::u16string_view text, bool fallback) {
  if (text.empty()) return fallback;
  return text[0] == u'1' || text[0] == u'T' || text[0] == u't';
}

}  // namespace workbook
