#include "workbook/formats/xlsx/xlsx_rich_string.h"

#include <algorithm>

#include "platform/text_codec.h"
#include "workbook/formats/xlsx/xlsx_escapes.h"
#include "workbook/formats/xlsx/xlsx_namespaces.h"

namespace workbook {

namespace {

// The UTF-16 length of UTF-8 text: a unit per sequence, two for those beyond the BMP.
std::size_t Utf16Length(std::string_view utf8) {
  std::size_t length = 0;
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80) ++length;
    if (byte >= 0xF0) ++length;
  }
  return length;
}

// The unit at i of a raw text, an escape read as the unit it stands for; width is how many raw
// units it spans.
char16_t UnitAt(std::u16string_view raw, std::size_t i, std::size_t& width) {
  const int unit = XLSXEscapeAt(raw, i);
  width = unit < 0 ? 1 : 7;
  return unit < 0 ? raw[i] : static_cast<char16_t>(unit);
}

bool NeedsRewrite(std::u16string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char16_t c) { return c == u'\r' || c == u'\n' || c == u'_'; });
}

// The raw text in form; the runs' positions move with the text they start at.
std::u16string FormText(std::u16string_view raw, TXLSXTextForm form, TXLSXRichTextRuns& runs) {
  std::u16string result;
  result.reserve(raw.size());
  const std::u16string_view lineBreak = form == TXLSXTextForm::SharedString ? u"\r\n" : u"\n";
  // Result position (1-based) of each raw position (1-based), for the runs.
  std::vector<int> moved(runs.empty() ? 0 : raw.size() + 2, 0);
  for (std::size_t i = 0; i < raw.size();) {
    const int at = static_cast<int>(result.size()) + 1;
    std::size_t width = 1;
    const char16_t c = UnitAt(raw, i, width);
    if (form == TXLSXTextForm::Comment) {
      result += c;
    } else if (c == u'\r' && width > 1 && form == TXLSXTextForm::SharedString) {
      // The escaped CR writers put before a line break stands for no character of its own, and
      // at the end of a text it would add an empty line.
    } else if (c == u'\r' || c == u'\n') {
      std::size_t next = 1;
      if (c == u'\r' && i + width < raw.size() && UnitAt(raw, i + width, next) == u'\n')
        width += next;
      result += lineBreak;
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

}  // namespace

void TXLSXRichStringReader::Begin() {
  text_.clear();
  runs_.clear();
  first_ = true;
  depth_ = 0;
  inRun_ = capturing_ = hasProperties_ = false;
  propertiesDepth_ = 0;
}

void TXLSXRichStringReader::AddChild(bool run, std::string_view text, const TXmlNode* properties) {
  // A run of no text formats nothing.
  if (run && !text.empty() && (!first_ || properties != nullptr)) {
    TXLSXRichTextRun& added =
        runs_.emplace_back(TXLSXRichTextRun{static_cast<int>(Utf16Length(text_)) + 1, {}});
    if (properties != nullptr)
      added.Font.ReadXLSX(*properties, colors_.Theme, colors_.Palette, "rFont");
  }
  text_ += text;
  first_ = false;
}

// Depths below the string element: its children are at 1, a run's t and rPr at 2.
void TXLSXRichStringReader::StartElement(std::string_view localName, std::string_view namespaceURI,
                                         const TXmlSaxAttributes& attributes) {
  ++depth_;
  if (propertiesDepth_ != 0) {
    properties_.StartElement(localName, attributes);
    return;
  }
  const bool ours = IsXLSXMainNS(namespaceURI);
  if (depth_ == 1) {
    inRun_ = ours && localName == "r";
    hasProperties_ = false;
    childText_.clear();
    capturing_ = ours && localName == "t";
  } else if (!ours) {
  } else if (depth_ == 2 && inRun_ && localName == "t") {
    capturing_ = true;
  } else if (depth_ == 2 && inRun_ && localName == "rPr") {
    propertiesDepth_ = depth_;
    hasProperties_ = true;
    properties_.Reset();
    properties_.StartElement(localName, attributes);
  }
}

void TXLSXRichStringReader::EndElement() {
  if (propertiesDepth_ != 0) {
    properties_.EndElement();
    if (depth_ == propertiesDepth_) propertiesDepth_ = 0;
  } else if (depth_ == 2) {
    capturing_ = false;
  } else if (depth_ == 1) {
    capturing_ = false;
    const TXmlNode properties = hasProperties_ ? properties_.Root() : TXmlNode();
    AddChild(inRun_, childText_, hasProperties_ ? &properties : nullptr);
  }
  --depth_;
}

void TXLSXRichStringReader::Characters(std::string_view text) {
  if (propertiesDepth_ != 0)
    properties_.Characters(text);
  else if (capturing_)
    childText_.append(text);
}

void TXLSXRichStringReader::Finish(TXLSXTextForm form, std::u16string& text,
                                   TXLSXRichTextRuns& runs) {
  text = platform::Utf8ToUtf16(text_);
  if (NeedsRewrite(text)) text = FormText(text, form, runs_);
  runs = std::move(runs_);
  runs_.clear();
}

void XLSXPlainStringText(std::string_view utf8, TXLSXTextForm form, std::u16string& text) {
  text.clear();
  platform::AppendUtf8AsUtf16(utf8, text);
  if (!NeedsRewrite(text)) return;
  TXLSXRichTextRuns none;
  text = FormText(text, form, none);
}

void ReadXLSXRichString(const TXmlNode& element, const TXLSXColorSources& colors,
                        TXLSXTextForm form, std::u16string& text, TXLSXRichTextRuns& runs) {
  TXLSXRichStringReader reader(colors);
  reader.Begin();
  for (TXmlNode child = element ? element.FirstElement() : TXmlNode(); child;
       child = child.NextElement()) {
    const bool ours = IsXLSXMainNS(child.NamespaceURI());
    if (ours && child.LocalName() == "r") {
      const TXmlNode properties = child.Child("rPr");
      reader.AddChild(true, child.Child("t").Text(), properties ? &properties : nullptr);
    } else {
      reader.AddChild(false, ours && child.LocalName() == "t" ? child.Text() : std::string_view(),
                      nullptr);
    }
  }
  reader.Finish(form, text, runs);
}

}  // namespace workbook
