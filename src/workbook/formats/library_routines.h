#pragma once
// Small routines of the library that the model classes and several format handlers share.
#include <cstdint>
#include <string>
#include <string_view>

#include "workbook/core/float_routines.h"
#include "workbook/core/integer_list.h"
#include "workbook/core/stream.h"

namespace workbook {

inline double BoolToFloat(bool value) { return value ? 1.0 : 0.0; }
// False exactly when the value is 0 within the library's floating tolerance.
bool FloatToBool(double value);

// Splits text into lines for measuring without copying each: flat is the text with every kind of
// line break taken out, positions the 1-based start of each following line in flat (plus one
// entry for the end).
void NormalizeLineBreaks(std::u16string_view text, TIntegerList& positions, std::u16string& flat);

// byteCount bytes of stream decoded as UTF-8.
std::u16string ReadUTF8Text(TStream& stream, std::size_t byteCount);

}  // namespace workbook
