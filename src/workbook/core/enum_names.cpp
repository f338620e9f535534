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

Name HAlignToXLSX(int Value) { return Lookup(kHAlignXLSX, Value); }

int XLSXToHAlign(Name Text) {
  switch (FirstLetter(Text)) {
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

Name HAlignToODS(int Value) { return Lookup(kHAlignODS, Value); }

uint8_t HAlignToXLS(int Value) { return Value >= 0 && Value <= 5 ? Value : 0; }

int XLSToHAlign(uint8_t AlignmentByte) {
  // Codes 6 (centre across selection) and 7 (distributed) have no place in the model.
  const int value = AlignmentByte & 0x07;
  return value <= 5 ? value : 0;
}

Name VAlignToXLSX(int Value) { return Lookup(kVAlignXLSX, Value); }

int XLSXToVAlign(Name Text) {
  switch (FirstLetter(Text)) {
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

Name VAlignToODS(int Value) { return Lookup(kVAlignODS, Value); }

uint8_t VAlignToXLS(int Value) {
  if (Value < 0 || Value > 5) Value = 0;
  const int value = Value == 0 ? 3 : Value;  // default is bottom
  return static_cast<uint8_t>(std::max(value - 1, 0) << 4);
}

int XLSToVAlign(uint8_t AlignmentByte) {
  const int value = ((AlignmentByte >> 4) & 0x07) + 1;
  return value <= 5 ? value : 0;
}

Name WrapToODS(bool Wrap) { return Wrap ? u"wrap" : u"no-wrap"; }

uint8_t RotationToXLS(int Rotation, bool Stacked) {
  if (Stacked) return 255;
  Rotation = std::clamp(Rotation, -90, 90);
  return static_cast<uint8_t>(Rotation >= 0 ? Rotation : 90 - Rotation);
}

void XLSToRotation(uint8_t Value, int& Rotation, bool& Stacked) {
  Stacked = Value == 255;
  if (Value <= 90)
    Rotation = Value;
  else if (Value <= 180)
    Rotation = 90 - Value;
  else
    Rotation = 0;
}

Name BorderStyleToXLSX(int Value) { return Lookup(kBorderXLSX, Value); }

int XLSXToBorderStyle(Name Text) {
  // Index 0 ("not set") shares its text with "none", which reads as 1.
  for (int i = 1; i < kBorderStyleCount; ++i)
    if (kBorderXLSX[i] == Text) return i;
  return 1;
}

Name BorderStyleToODS(int Value) { return Lookup(kBorderODS, Value); }

uint8_t BorderStyleToXLS(int Value) {
  return static_cast<uint8_t>(std::clamp(Value - 1, 0, kBorderStyleCount - 2));
}

int XLSToBorderStyle(uint8_t Code) { return std::min((Code & 0x0F) + 1, kBorderStyleCount - 1); }

Name PageOrientationToXLSX(int Value) { return Lookup(kOrientation, Value); }

int XLSXToPageOrientation(Name Text) { return FirstLetter(Text) == u'l' ? 1 : 0; }

Name PageOrientationToODS(int Value) { return Lookup(kOrientation, Value); }

Name PageOrderToXLSX(int Value) { return Lookup(kPageOrderXLSX, Value); }

int XLSXToPageOrder(Name Text) { return FirstLetter(Text) == u'o' ? 0 : 1; }

Name PageOrderToODS(int Value) { return Lookup(kPageOrderODS, Value); }

Name PaneSplitToXLSX(int Value) { return Lookup(kPaneSplit, Value); }

Name CellProtectionToODS(uint8_t Protection) { return kCellProtect[Protection & 0x03]; }

}  // namespace workbook
