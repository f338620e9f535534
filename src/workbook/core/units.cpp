#include "workbook/core/units.h"

#include "workbook/core/invariant_texts.h"

namespace workbook {

namespace {

constexpr double kCmPerInch = 2.54;
constexpr double kPointsPerPixel = 0.75;

}  // namespace

double CmToInch(double X) { return X * (1 / kCmPerInch); }
double InchToCm(double X) { return X / (1 / kCmPerInch); }

double XLSXColWidthToPixels(std::u16string_view Text, double CharWidth) {
  return ISOStrToFloat(Text) * CharWidth;
}

double XLSXPointsToPixels(std::u16string_view Text) {
  return ISOStrToFloat(Text) / kPointsPerPixel;
}

double XLSXLeadingPointsToPixels(std::u16string_view Text) {
  size_t n = 0;
  while (n < Text.size() && ((Text[n] >= u'0' && Text[n] <= u'9') || Text[n] == u'.')) ++n;
  return n == 0 ? 0 : XLSXPointsToPixels(Text.substr(0, n));
}

double XLSColWidthToPixels(double Width, double CharWidth) { return Width * CharWidth / 256; }

bool XMLStrToBoolDef(std::u16string_view Text, bool Default) {
  if (Text.empty()) return Default;
  return Text[0] == u'1' || Text[0] == u'T' || Text[0] == u't';
}

}  // namespace workbook
