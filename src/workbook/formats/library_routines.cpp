#include "workbook/formats/library_routines.h"

#include <algorithm>
#include <cmath>

#include "platform/text_codec.h"
#include "workbook/core/xml/xml_scanning_parser.h"

namespace workbook {

namespace {

constexpr std::size_t kScanPiece = 1048576;

}  // namespace

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

bool ExtractNextXMLElement(std::string_view elementName, TXMLElementScan& scan,
                           std::string_view& target, std::int64_t sourceSize, TStream& source) {
  target = {};
  if (scan.Position > kScanPiece) {
    scan.Buffer.erase(0, scan.Position);
    scan.Position = 0;
  }
  const std::string open = "<" + std::string(elementName);
  const std::string close = "</" + std::string(elementName) + ">";
  // Reads one more piece; false at the end of the source.
  auto more = [&]() {
    const std::int64_t left = sourceSize - scan.SourceRead;
    if (left <= 0) return false;
    const std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(left, kScanPiece));
    const std::size_t old = scan.Buffer.size();
    scan.Buffer.resize(old + want);
    const std::size_t got = source.Read(scan.Buffer.data() + old, want);
    scan.Buffer.resize(old + got);
    scan.SourceRead += static_cast<std::int64_t>(got);
    if (got == 0) scan.SourceRead = sourceSize;
    return got > 0;
  };
  std::size_t from = scan.Position;
  for (;;) {
    const std::size_t start = scan.Buffer.find(open, from);
    if (start == std::string::npos || start + open.size() >= scan.Buffer.size()) {
      if (!more()) return false;
      continue;
    }
    const char after = scan.Buffer[start + open.size()];
    if (after != ' ' && after != '>' && after != '/' && after != '\t' && after != '\r' &&
        after != '\n') {
      from = start + 1;
      continue;
    }
    const std::size_t tagLength = XmlStartTagEnd(std::string_view(scan.Buffer).substr(start));
    if (tagLength == std::string::npos) {
      if (!more()) return false;
      continue;
    }
    const std::size_t tagEnd = start + tagLength;
    std::size_t end;
    if (scan.Buffer[tagEnd - 1] == '/') {
      end = tagEnd + 1;
    } else {
      const std::size_t closeAt = scan.Buffer.find(close, tagEnd);
      if (closeAt == std::string::npos) {
        if (!more()) return false;
        continue;
      }
      end = closeAt + close.size();
    }
    target = std::string_view(scan.Buffer).substr(start, end - start);
    scan.Position = end;
    return true;
  }
}

}  // namespace workbook
