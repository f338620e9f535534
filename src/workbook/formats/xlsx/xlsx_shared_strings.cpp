#include "workbook/formats/xlsx/xlsx_shared_strings.h"

#include <algorithm>

#include "platform/text_codec.h"
#include "workbook/core/library_texts.h"
#include "workbook/core/xml/xml_sax_tree.h"
#include "workbook/core/xml/xml_scanning_parser.h"
#include "workbook/formats/xlsx/xlsx_escapes.h"
#include "workbook/formats/xlsx/xlsx_namespaces.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

const TPackedText kEmpty;

// The unit at i of a raw text, an escape read as the unit it stands for; width is how many raw
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
    if (c == u'\r' && width > 1) {
      // The escaped CR writers put before a line break stands for no character of its own, and
      // at the end of a text it would add an empty line.
    } else if (c == u'\r' || c == u'\n') {
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

}  // namespace

// The events of the part, depth by depth: sst (1), si (2), t and r (3), rPr and t of a run (4).
class TXLSXSharedStrings_Import::TReader final : public IXmlSaxHandler {
 public:
  TReader(TXLSXSharedStrings_Import& store, TWorkbook& workbook, const TXLSXColorSources& colors,
          std::int64_t partSize)
      : store_(store),
        workbook_(workbook),
        colors_(colors),
        partSize_(partSize),
        parser_(*this, "sst", IsXLSXMainNS, 1) {}

  TXmlScanningParser& Parser() { return parser_; }
  TWorkbook& Workbook() { return workbook_; }

  void StartElement(std::string_view localName, std::string_view namespaceURI,
                    const TXmlSaxAttributes& attributes) override {
    ++depth_;
    if (fontDepth_ != 0) {
      font_.StartElement(localName, attributes);
      return;
    }
    if (!IsXLSXMainNS(namespaceURI)) return;
    if (depth_ == 2 && localName == "si") {
      inItem_ = true;
      first_ = true;
      text_.clear();
      runs_.clear();
    } else if (!inItem_) {
    } else if (depth_ == 3 && localName == "t") {
      textDepth_ = depth_;
      target_ = &text_;
    } else if (depth_ == 3 && localName == "r") {
      inRun_ = true;
      startsRun_ = !first_;
      runText_.clear();
      runFont_ = TExportFont();
    } else if (depth_ == 4 && inRun_ && localName == "rPr") {
      startsRun_ = true;
      fontDepth_ = depth_;
      font_.StartElement(localName, attributes);
    } else if (depth_ == 4 && inRun_ && localName == "t") {
      textDepth_ = depth_;
      target_ = &runText_;
    }
  }

  void EndElement(std::string_view, std::string_view) override {
    if (fontDepth_ != 0) {
      font_.EndElement();
      if (depth_ == fontDepth_) {
        fontDepth_ = 0;
        runFont_.ReadXLSX(font_.Root(), colors_.Theme, colors_.Palette, "rFont");
        font_.Reset();
      }
    } else if (depth_ == textDepth_) {
      textDepth_ = 0;
      target_ = nullptr;
    } else if (inItem_ && depth_ == 3) {
      if (inRun_) {
        if (startsRun_)
          runs_.push_back({static_cast<int>(Utf16Length(text_)) + 1, std::move(runFont_)});
        text_ += runText_;
        inRun_ = false;
      }
      first_ = false;
    } else if (inItem_ && depth_ == 2) {
      inItem_ = false;
      EndItem();
    }
    --depth_;
  }

  void Characters(std::string_view text) override {
    if (target_ != nullptr)
      target_->append(text);
    else if (fontDepth_ != 0)
      font_.Characters(text);
  }

 private:
  void EndItem() {
    std::u16string text = platform::Utf8ToUtf16(text_);
    if (NeedsSharedStringRewrite(text)) text = SharedStringText(text, runs_);
    if (!runs_.empty()) store_.runs_.emplace(store_.texts_.size(), std::move(runs_));
    store_.texts_.emplace_back(text);
    if (++sinceReport_ == 10000) {
      sinceReport_ = 0;
      workbook_.DoProgress(wpsSharedStrings, parser_.BytesConsumed() / 1024, partSize_ / 1024,
                           WorkbookLng_SharedStrings);
    }
  }

  TXLSXSharedStrings_Import& store_;
  TWorkbook& workbook_;
  TXLSXColorSources colors_;
  std::int64_t partSize_;
  TXmlScanningParser parser_;
  int depth_ = 0;
  bool inItem_ = false;
  bool first_ = true;
  bool inRun_ = false;
  bool startsRun_ = false;
  int textDepth_ = 0;
  std::string* target_ = nullptr;
  std::string text_;
  std::string runText_;
  TXLSXRichTextRuns runs_;
  TExportFont runFont_;
  TXmlSaxTree font_;
  int fontDepth_ = 0;
  int sinceReport_ = 0;
};

TXLSXSharedStrings_Import::TXLSXSharedStrings_Import() = default;
TXLSXSharedStrings_Import::~TXLSXSharedStrings_Import() = default;

void TXLSXSharedStrings_Import::Begin(TWorkbook& workbook, const TXLSXColorSources& colors,
                                      std::int64_t partSize) {
  texts_.clear();
  runs_.clear();
  workbook.DoProgress(wpsSharedStrings, 0, partSize / 1024, WorkbookLng_SharedStrings);
  reader_ = std::make_unique<TReader>(*this, workbook, colors, partSize);
}

TStream& TXLSXSharedStrings_Import::Parser() { return reader_->Parser(); }

void TXLSXSharedStrings_Import::Finish() {
  TWorkbook& workbook = reader_->Workbook();
  reader_->Parser().Finish();
  reader_.reset();
  workbook.DoProgress(wpsSharedStrings, 1, 1, WorkbookLng_SharedStrings);
}

void TXLSXSharedStrings_Import::ReadXLSX(TStream& part, TWorkbook& workbook,
                                         const TXLSXColorSources& colors) {
  Begin(workbook, colors, part.Size() - part.Position());
  std::vector<char> buffer(64 * 1024);
  while (const std::size_t count = part.Read(buffer.data(), buffer.size()))
    Parser().Write(buffer.data(), count);
  Finish();
}

const TPackedText& TXLSXSharedStrings_Import::GetSharedText(std::size_t index) const {
  return index < texts_.size() ? texts_[index] : kEmpty;
}

const TXLSXRichTextRuns* TXLSXSharedStrings_Import::GetRuns(std::size_t index) const {
  auto found = runs_.find(index);
  return found != runs_.end() ? &found->second : nullptr;
}

}  // namespace workbook
