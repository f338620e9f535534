#include "workbook/formats/xlsx/xlsx_shared_strings.h"

#include <algorithm>

#include "platform/text_codec.h"
#include "workbook/core/library_texts.h"
#include "workbook/core/xml/xml_reader.h"
#include "workbook/formats/xlsx/xlsx_escapes.h"
#include "workbook/formats/xlsx/xlsx_namespaces.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

const TPackedText kEmpty;

// Appends the text and whitespace nodes of the t element the reader stands on.
void AppendElementText(TXmlReader& reader, std::string& utf8) {
  if (reader.IsEmptyElement()) return;
  const int depth = reader.Depth();
  while (reader.Read() && reader.Depth() > depth) {
    const TXmlNodeType type = reader.NodeType();
    if (type == TXmlNodeType::Text || type == TXmlNodeType::Whitespace) utf8 += reader.Value();
  }
}

bool IsMain(const TXmlReader& reader, std::string_view localName) {
  return reader.NodeType() == TXmlNodeType::Element && reader.LocalName() == localName &&
         IsXLSXMainNS(reader.NamespaceURI());
}

// The unit at I of a raw text, an escape read as the unit it stands for; Width is how many raw
// units it spans.
char16_t UnitAt(std::u16string_view raw, std::size_t i, std::size_t& width) {
  const int unit = XLSXEscapeAt(raw, i);
  width = unit < 0 ? 1 : 7;
  return unit < 0 ? raw[i] : static_cast<char16_t>(unit);
}

// Shared strings keep CR LF between lines, with their escapes decoded; the runs' positions move
// with the text they start at.
std::u16string SharedStringText(std::u16string_view raw, TXLSXRichTextRuns& runs) {
  std::u16string result;
  result.reserve(raw.size());
  // Result position (1-based) of each raw position (1-based), for the runs.
  std::vector<int> moved(runs.empty() ? 0 : raw.size() + 2, 0);
  for (std::size_t i = 0; i < raw.size();) {
    const int at = static_cast<int>(result.size()) + 1;
    std::size_t width = 1;
    const char16_t c = UnitAt(raw, i, width);
    if (c == u'\r' || c == u'\n') {
      std::size_t next = 1;
      if (c == u'\r' && i + width < raw.size() && UnitAt(raw, i + width, next) == u'\n')
        width += next;
      result += u"\r\n";
    } else {
      result += c;
    }
    if (!moved.empty())
      for (std::size_t k = i; k < i + width; ++k) moved[k + 1] = at;
    i += width;
  }
  for (TXLSXRichTextRun& run : runs) {
    const auto position = static_cast<std::size_t>(std::max(run.Position, 1));
    run.Position = position <= raw.size() ? moved[position] : static_cast<int>(result.size()) + 1;
  }
  return result;
}

bool NeedsSharedStringRewrite(const std::u16string& text) {
  for (char16_t c : text)
    if (c == u'\r' || c == u'\n' || c == u'_') return true;
  return false;
}

}  // namespace

void ReadXLSXRichString(TXmlReader& reader, const TXLSXColorSources& colors, std::u16string& text,
                        TXLSXRichTextRuns* runs) {
  std::string utf8;
  if (!reader.IsEmptyElement()) {
    const int depth = reader.Depth();
    bool first = true;
    bool more = reader.NextChildElement(depth);
    while (more) {
      if (IsMain(reader, "t")) {
        AppendElementText(reader, utf8);
      } else if (IsMain(reader, "r")) {
        const int runDepth = reader.Depth();
        bool startsRun = !first;
        TExportFont font;
        std::string runText;
        bool inner = reader.NextChildElement(runDepth);
        while (inner) {
          if (IsMain(reader, "rPr")) {
            startsRun = true;
            if (runs != nullptr)
              font.ReadXLSX(reader.Expand(), colors.Theme, colors.Palette, "rFont");
          } else if (IsMain(reader, "t")) {
            AppendElementText(reader, runText);
          }
          inner = reader.NextChildElement(runDepth);
        }
        if (startsRun && runs != nullptr) {
          const int position = static_cast<int>(platform::Utf8ToUtf16(utf8).size()) + 1;
          runs->push_back({position, std::move(font)});
        }
        utf8 += runText;
      }
      first = false;
      more = reader.NextChildElement(depth);
    }
  }
  text = platform::Utf8ToUtf16(utf8);
}

void TXLSXSharedStrings_Import::ReadXLSX(TStream& part, TWorkbook& workbook,
                                         const TXLSXColorSources& colors) {
  texts_.clear();
  runs_.clear();
  const std::int64_t size = part.Size() - part.Position();
  workbook.DoProgress(wpsSharedStrings, 0, size / 1024, WorkbookLng_SharedStrings);
  TXmlReader reader(part);
  while (reader.Read() && reader.NodeType() != TXmlNodeType::Element) {
  }
  if (reader.NodeType() != TXmlNodeType::Element) return;
  const int rootDepth = reader.Depth();
  int sinceReport = 0;
  while (reader.NextChildElement(rootDepth)) {
    if (!IsMain(reader, "si")) continue;
    std::u16string text;
    TXLSXRichTextRuns runs;
    ReadXLSXRichString(reader, colors, text, &runs);
    if (NeedsSharedStringRewrite(text)) text = SharedStringText(text, runs);
    if (!runs.empty()) runs_.emplace(texts_.size(), std::move(runs));
    texts_.emplace_back(text);
    if (++sinceReport == 10000) {
      sinceReport = 0;
      workbook.DoProgress(wpsSharedStrings, reader.BytesConsumed() / 1024, size / 1024,
                          WorkbookLng_SharedStrings);
    }
  }
  workbook.DoProgress(wpsSharedStrings, 1, 1, WorkbookLng_SharedStrings);
}

const TPackedText& TXLSXSharedStrings_Import::GetSharedText(std::size_t index) const {
  return index < texts_.size() ? texts_[index] : kEmpty;
}

const TXLSXRichTextRuns* TXLSXSharedStrings_Import::GetRuns(std::size_t index) const {
  auto found = runs_.find(index);
  return found != runs_.end() ? &found->second : nullptr;
}

}  // namespace workbook
