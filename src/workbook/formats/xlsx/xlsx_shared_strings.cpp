#include "workbook/formats/xlsx/xlsx_shared_strings.h"

#include "platform/text_codec.h"
#include "workbook/core/library_texts.h"
#include "workbook/core/xml/xml_reader.h"
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

// Shared strings keep CR LF between lines and lose the "_x000D_" escape that some writers put
// before a line break.
std::u16string SharedStringText(std::u16string text) {
  std::u16string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsCrEscapeAt(text, i)) {
      i += 6;
    } else if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      result += u"\r\n";
    } else {
      result += c;
    }
  }
  return result;
}

bool NeedsSharedStringRewrite(const std::u16string& text) {
  for (char16_t c : text)
    if (c == u'\r' || c == u'\n' || c == u'_') return true;
  return false;
}

}  // namespace

bool IsCrEscapeAt(std::u16string_view text, std::size_t i) {
  return i + 6 < text.size() && text[i] == u'_' && (text[i + 1] | 0x20) == u'x' &&
         text[i + 2] == u'0' && text[i + 3] == u'0' && text[i + 4] == u'0' &&
         (text[i + 5] | 0x20) == u'd' && text[i + 6] == u'_';
}

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
    if (NeedsSharedStringRewrite(text)) text = SharedStringText(std::move(text));
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
