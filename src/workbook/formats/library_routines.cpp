#include "workbook/formats/library_routines.h"

#include <cmath>

#include "platform/text_codec.h"

namespace workbook {

bool FloatToBool(double value) { return !SameFloat(value, 0.0); }

void NormalizeLineBreaks(std::u16string_view text, TIntegerList& positions, std::u16string& flat) {
  positions.Clear();
  flat.clear();
  flat.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      positions.Add(static_cast<std::int32_t>(flat.size() + 1));
    } else {
      flat += c;
    }
  }
  positions.Add(static_cast<std::int32_t>(flat.size() + 1));
}

std::u16string ReadUTF8Text(TStream& stream, std::size_t byteCount) {
  if (byteCount == 0) return {};
  std::string bytes(byteCount, '\0');
  stream.ReadBuffer(bytes.data(), byteCount);
  return platform::Utf8ToUtf16(bytes);
}

}  // namespace workbook
