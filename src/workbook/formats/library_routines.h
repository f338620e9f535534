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

// Cuts the next raw element ElementName (start tag to end tag, as bytes) out of an XML part read
// from Source in pieces of at most 1 MB into Buffer. Target/TargetSize point at the element inside
// Buffer; the result is false only when no further element is found (an empty element such as
// <si/> gives true too, or a loop over the elements would stop there). SourceSize is the most bytes
// taken from Source. The consumed front of Buffer is dropped once it passes 1 MB.
struct TXMLElementScan {
  std::string Buffer;
  std::size_t Position = 0;
  std::int64_t SourceRead = 0;
};
bool ExtractNextXMLElement(std::string_view elementName, TXMLElementScan& scan,
                           std::string_view& target, std::int64_t sourceSize, TStream& source);

}  // namespace workbook
