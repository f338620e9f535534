#include "workbook/core/enum_names.h"

#include <algorithm>
#include <array>

namespace workbook {

namespace {

using Name = std::u16string_view;

template <size_t N>
Name Lookup(const std::array<Name, N>& table, int value) {
  return value >= 0 && static_cast<size_t>(value) < N ? table[value] : table[0];
}

char16_t FirstLetter(Name text) { return text.empty() ? u'\0' : text[0]; }

constexpr std::array<Name, 6> kHAlignXLSX = {u"left",  u"left", u"center",
                                             u"right", u"fill", u"justify"};
constexpr std::array<Name, 6> kHAlignODS = {u"start", u"start", u"center",
                                            u"end",   u"start", u"justify"};
constexpr std::array<Name, 6> kVAlignXLSX = {u"bottom", u"top",     u"center",
                                             u"bottom", u"justify", u"distributed"};
constexpr std::array<Name, 6> kVAlignODS = {u"bottom", u"top",     u"middle",
                                            u"bottom", u"justify", u"justify"};

constexpr std::array<Name, kBorderStyleCount> kBorderXLSX = {u"none",        u"none",
                                                             u"thin",        u"medium",
                                                             u"dashed",      u"dotted",
                                                             u"thick",       u"double",
                                                             u"hair",        u"mediumDashed",
                                                             u"dashDot",     u"mediumDashDot",
                                                             u"dashDotDot",  u"mediumDashDotDot",
                                                             u"slantDashDot"};

// ODS has only the XSL-FO line kinds; the width carries the weight, the dash and dot kinds fall
// back to the nearest of dashed and dotted.
constexpr std::array<Name, kBorderStyleCount> kBorderODS = {
    u"none",          u"none",          u"0.74pt solid",  u"1.76pt solid",  u"0.74pt dashed",
    u"0.74pt dotted", u"2.49pt solid",  u"2.01pt double", u"0.26pt solid",  u"1.76pt dashed",
    u"0.74pt dashed", u"1.76pt dashed", u"0.74pt dotted", u"1.76pt dotted", u"1.76pt dashed"};

constexpr std::array<Name, 2> kOrientation = {u"portrait", u"landscape"};
constexpr std::array<Name, 2> kPageOrderXLSX = {u"overThenDown", u"downThenOver"};
constexpr std::array<Name, 2> kPageOrderODS = {u"ltr", u"ttb"};
constexpr std::array<Name, 4> kPaneSplit = {u"none", u"horizontal", u"vertical", u"both"};
constexpr std::array<Name, 4> kCellProtect = {u"none", u"protected", u"formula-hidden",
                                              u"protected formula-hidden"};

}  // namespace

Name HAlignToXLSX(int value) { return Lookup(kHAlignXLSX, value); }

int XLSXToHAlign(Name text) {
  switch (FirstLetter(text)) {
    case u'c':
      return 2;
    case u'f':
      return 4;
    case u'j':
      return 5;
    case u'l':
      return 1;
    case u'r':
      return 3;
    default:
      return 0;
  }
}

Name HAlignToODS(int value) { return Lookup(kHAlignODS, value); }

uint8_t HAlignToXLS(int value) { return value >= 0 && value <= 5 ? value : 0; }

int XLSToHAlign(uint8_t alignmentByte) {
  // Codes 6 (centre across selection) and 7 (distributed) have no place in the model.
  const int value = alignmentByte & 0x07;
  return value <= 5 ? value : 0;
}

Name VAlignToXLSX(int value) { return Lookup(kVAlignXLSX, value); }

int XLSXToVAlign(Name text) {
  switch (FirstLetter(text)) {
    case u'b':
      return 3;
    case u'c':
      return 2;
    case u'd':
      return 5;
    case u'j':
      return 4;
    case u't':
      return 1;
    default:
      return 0;
  }
}

Name VAlignToODS(int value) { return Lookup(kVAlignODS, value); }

uint8_t VAlignToXLS(int value) {
  if (value < 0 || value > 5) value = 0;
  const int align = value == 0 ? 3 : value;  // default is bottom
  return static_cast<uint8_t>(std::max(align - 1, 0) << 4);
}

int XLSToVAlign(uint8_t alignmentByte) {
  const int value = ((alignmentByte >> 4) & 0x07) + 1;
  return value <= 5 ? value : 0;
}

Name WrapToODS(bool wrap) { return wrap ? u"wrap" : u"no-wrap"; }

uint8_t RotationToXLS(int rotation, bool stacked) {
  if (stacked) return 255;
  rotation = std::clamp(rotation, -90, 90);
  return static_cast<uint8_t>(rotation >= 0 ? rotation : 90 - rotation);
}

void XLSToRotation(uint8_t value, int& rotation, bool& stacked) {
  stacked = value == 255;
  if (value <= 90)
    rotation = value;
  else if (value <= 180)
    rotation = 90 - value;
  else
    rotation = 0;
}

Name BorderStyleToXLSX(int value) { return Lookup(kBorderXLSX, value); }

int XLSXToBorderStyle(Name text) {
  // Index 0 ("not set") shares its text with "none", which reads as 1.
  for (int i = 1; i < kBorderStyleCount; ++i)
    if (kBorderXLSX[i] == text) return i;
  return 1;
}

Name BorderStyleToODS(int value) { return Lookup(kBorderODS, value); }

uint8_t BorderStyleToXLS(int value) {
  return static_cast<uint8_t>(std::clamp(value - 1, 0, kBorderStyleCount - 2));
}

int XLSToBorderStyle(uint8_t code) { return std::min((code & 0x0F) + 1, kBorderStyleCount - 1); }

Name PageOrientationToXLSX(int value) { return Lookup(kOrientation, value); }

int XLSXToPageOrientation(Name text) { return FirstLetter(text) == u'l' ? 1 : 0; }

Name PageOrientationToODS(int value) { return Lookup(kOrientation, value); }

Name PageOrderToXLSX(int value) { return Lookup(kPageOrderXLSX, value); }

int XLSXToPageOrder(Name text) { return FirstLetter(text) == u'o' ? 0 : 1; }

Name PageOrderToODS(int value) { return Lookup(kPageOrderODS, value); }

Name PaneSplitToXLSX(int value) { return Lookup(kPaneSplit, value); }

Name CellProtectionToODS(uint8_t protection) { return kCellProtect[protection & 0x03]; }

}  // namespace workbook
