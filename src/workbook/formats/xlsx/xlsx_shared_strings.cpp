#include "workbook/formats/xlsx/xlsx_shared_strings.h"

#include <malloc.h>

#include <algorithm>
#include <optional>

#include "workbook/core/invariant_texts.h"
#include "workbook/core/library_texts.h"
#include "workbook/core/xml/xml_content_scanner.h"
#include "workbook/core/xml/xml_error.h"
#include "workbook/core/xml/xml_scanning_parser.h"
#include "workbook/formats/xlsx/xlsx_namespaces.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/load_budget.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

const TPackedText kEmpty;

// Progress is reported after this many items.
constexpr std::size_t kItemsPerReport = 10000;
constexpr std::int64_t kMaxReserve = std::int64_t{256} << 20;
// The items' bytes are kept in blocks of this size (a longer item has one of its own).
constexpr std::size_t kBlockSize = 64 * 1024;
// The longest item kept (far beyond any text a cell can hold).
constexpr std::size_t kMaxItemSize = (std::size_t{1} << 29) - 1;

[[noreturn]] void Malformed(const std::u16string& what) {
  throw EXmlError(u"The shared strings part " + what);
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsNameEnd(char c) { return IsSpace(c) || c == '/'; }

// The namespace a start tag itself declares for prefix; false when it declares none.
bool DeclaredNamespace(std::string_view tag, std::string_view prefix, std::string_view& uri) {
  const std::string name = prefix.empty() ? "xmlns" : "xmlns:" + std::string(prefix);
  for (std::size_t at = tag.find(name); at != std::string_view::npos; at = tag.find(name, at + 1)) {
    std::size_t i = at + name.size();
    if (!IsNameEnd(tag[at - 1]) && tag[at - 1] != '<') continue;
    while (i < tag.size() && IsSpace(tag[i])) ++i;
    if (i >= tag.size() || tag[i] != '=') continue;
    ++i;
    while (i < tag.size() && IsSpace(tag[i])) ++i;
    if (i >= tag.size() || (tag[i] != '"' && tag[i] != '\'')) continue;
    const std::size_t end = tag.find(tag[i], i + 1);
    if (end == std::string_view::npos) continue;
    uri = tag.substr(i + 1, end - i - 1);
    return true;
  }
  return false;
}

}  // namespace

// Finds the items in the bytes as they come: tags are told apart (comments, processing
// instructions, CDATA and quoted attribute values passed over) and counted by depth; each child
// of the root that is an si of the spreadsheet namespace is one item. Nothing else is parsed.
class TXLSXSharedStrings_Import::TScanner final : public TStream {
 public:
  TScanner(TXLSXSharedStrings_Import& store, TWorkbook& workbook, std::int64_t partSize)
      : store_(store), workbook_(workbook), partSize_(partSize) {}

  std::size_t Write(const void* buffer, std::size_t count) override {
    pending_.append(static_cast<const char*>(buffer), count);
    consumed_ += static_cast<std::int64_t>(count);
    Scan();
    return count;
  }
  std::size_t Read(void*, std::size_t) override { return 0; }
  std::int64_t Seek(std::int64_t, TSeekOrigin) override { return consumed_; }

  void Finish() {
    if (rootDone_) return;
    if (!rootSeen_ && pending_.find_first_not_of(" \t\r\n") == std::string::npos)
      Malformed(u"is empty.");
    Malformed(u"ends inside an element.");
  }

 private:
  void Scan() {
    while (!rootDone_) {
      const std::size_t open = pending_.find('<', at_);
      if (open == std::string::npos) {
        at_ = pending_.size();
        break;
      }
      const std::size_t next = Token(open);
      if (next == std::string::npos) {
        at_ = open;
        break;
      }
      at_ = next;
    }
    // Keep what an unfinished token or item still needs, and the prolog until the root starts.
    if (!rootSeen_) return;
    const std::size_t keep = itemStart_ != std::string::npos ? std::min(itemStart_, at_) : at_;
    pending_.erase(0, keep);
    at_ -= keep;
    if (itemStart_ != std::string::npos) itemStart_ -= keep;
  }

  // Reads the token at open; the position after it, or npos when it is unfinished.
  std::size_t Token(std::size_t open) {
    const std::string_view rest = std::string_view(pending_).substr(open);
    if (rest.size() < 2) return std::string::npos;
    if (rest[1] == '!') {
      if (rest.size() < 9) return std::string::npos;
      if (rest.substr(0, 4) == "<!--") return After(open + 4, "-->");
      if (rest.substr(0, 9) == "<![CDATA[") return After(open + 9, "]]>");
      Malformed(u"holds a document type declaration.");
    }
    if (rest[1] == '?') return After(open + 2, "?>");
    if (rest[1] == '/') {
      const std::size_t end = After(open + 2, ">");
      if (end == std::string::npos) return end;
      if (--depth_ < 0) Malformed(u"closes an element it never opened.");
      if (depth_ == 1 && itemStart_ != std::string::npos) AddItem(itemStart_, end);
      if (depth_ == 0) rootDone_ = true;
      return end;
    }
    if (depth_ == 1 && rootItem_ && rootItemPrefix_.empty() && *rootItem_) {
      // Unprefixed items are the table's: a plain one is taken whole, its tags unread.
      if (const std::size_t itemEnd = PlainItemAt(open); itemEnd != std::string::npos)
        return itemEnd;
    }
    const std::size_t close = XmlStartTagEnd(rest);
    if (close == std::string_view::npos) return std::string::npos;
    const std::size_t end = open + close + 1;
    const bool empty = rest[close - 1] == '/';
    const std::string_view tag = rest.substr(0, close + 1);
    if (depth_ == 0) {
      if (rootSeen_) Malformed(u"holds more than one root element.");
      rootSeen_ = true;
      root_ = tag;
      store_.prolog_ = pending_.substr(0, end);
      ReserveItems();
      if (empty) rootDone_ = true;
    } else if (depth_ == 1 && IsItem(tag)) {
      if (empty) {
        AddItem(open, end);
      } else if (const std::size_t itemEnd = PlainItemEnd(end); itemEnd != std::string::npos) {
        AddItem(open, itemEnd);
        return itemEnd;
      } else {
        itemStart_ = open;
      }
    }
    if (!empty) ++depth_;
    return end;
  }

  // Room for the items the root announces, as far as the part could hold them (an item takes 5
  // bytes at least). Count and size are the file's word, so only so much is taken on them.
  void ReserveItems() {
    const std::size_t at = root_.find("uniqueCount=");
    if (at == std::string::npos || at + 13 >= root_.size()) return;
    const auto most = static_cast<std::uint64_t>(std::clamp<std::int64_t>(
        partSize_ / 5 + 1, 0, kMaxReserve / static_cast<std::int64_t>(sizeof(TItem))));
    std::uint64_t count = 0;
    for (std::size_t i = at + 13; i < root_.size() && root_[i] >= '0' && root_[i] <= '9'; ++i)
      count = std::min(count * 10 + static_cast<std::uint64_t>(root_[i] - '0'), most);
    store_.items_.reserve(static_cast<std::size_t>(count));
  }

  std::size_t After(std::size_t from, std::string_view terminator) const {
    const std::size_t found = pending_.find(terminator, from);
    return found == std::string::npos ? found : found + terminator.size();
  }

  // Where the item whose start tag ends at from ends, when its end tag is already in and
  // nothing before it could hide or repeat one (comments, CDATA, processing instructions, an
  // element of the same name): most items, found without reading their tags one by one. npos
  // otherwise, and the item is read tag by tag.
  std::size_t PlainItemEnd(std::size_t from) const {
    const std::string_view bytes(pending_);
    for (std::size_t at = bytes.find('<', from); at != std::string_view::npos;
         at = bytes.find('<', at + 1)) {
      const std::string_view rest = bytes.substr(at);
      if (rest.size() < 2 || rest[1] == '!' || rest[1] == '?') return std::string::npos;
      if (rest[1] == '/') {
        if (rest.substr(0, itemClose_.size()) == itemClose_) return at + itemClose_.size();
      } else if (rest.substr(0, itemOpen_.size()) == itemOpen_) {
        return std::string::npos;
      }
    }
    return std::string::npos;
  }

  // An si start tag in the spreadsheet namespace, declared on it or on the root; notes its end
  // tag.
  bool IsItem(std::string_view tag) {
    std::size_t nameEnd = 1;
    while (nameEnd < tag.size() && !IsNameEnd(tag[nameEnd]) && tag[nameEnd] != '>') ++nameEnd;
    const std::string_view name = tag.substr(1, nameEnd - 1);
    const std::size_t colon = name.find(':');
    const std::string_view local = colon == std::string_view::npos ? name : name.substr(colon + 1);
    if (local != "si") return false;
    const std::string_view prefix =
        colon == std::string_view::npos ? std::string_view() : name.substr(0, colon);
    std::string_view uri;
    bool item;
    if (DeclaredNamespace(tag, prefix, uri)) {
      item = IsXLSXMainNS(uri);
    } else {
      // What the root declares holds for every item that declares nothing: looked up once.
      if (!rootItem_ || rootItemPrefix_ != prefix) {
        rootItemPrefix_ = prefix;
        // Undeclared: the part as some tools write it.
        rootItem_ = DeclaredNamespace(root_, prefix, uri) ? IsXLSXMainNS(uri) : prefix.empty();
      }
      item = *rootItem_;
    }
    if (item && std::string_view(itemOpen_).substr(1) != name) {
      itemOpen_.assign("<").append(name);
      itemClose_.assign("</").append(name).append(">");
    }
    return item;
  }

  void AddItem(std::size_t start, std::size_t end) {
    itemStart_ = std::string::npos;
    std::string_view bytes = std::string_view(pending_).substr(start, end - start);
    const std::size_t size = bytes.size();
    const bool plain = PlainText(bytes);
    Store(bytes, plain, size);
  }

  // The item at open when it is plain and whole in the bytes: stored, and the position after
  // it; npos otherwise.
  std::size_t PlainItemAt(std::size_t open) {
    const std::string_view rest = std::string_view(pending_).substr(open);
    const std::size_t textAt = PlainTextAt(rest);
    if (textAt == std::string_view::npos) return std::string::npos;
    const std::size_t close = rest.find('<', textAt);
    if (close == std::string_view::npos || rest.substr(close, kPlainEnd.size()) != kPlainEnd)
      return std::string::npos;
    const std::string_view text = rest.substr(textAt, close - textAt);
    if (!IsPlainXmlText(text)) return std::string::npos;
    Store(text, true, close + kPlainEnd.size());
    return open + close + kPlainEnd.size();
  }

  // Keeps an item's bytes (the text alone of a plain one); itemSize is the whole element's.
  void Store(std::string_view bytes, bool plain, std::size_t itemSize) {
    if (itemSize > kMaxItemSize) Malformed(u"holds an item too long to read.");
    // Kept until a cell asks for it, so a table that no cell uses still costs its bytes.
    TWorkbookLoadBudget::ChargeTextBytes(static_cast<std::int64_t>(itemSize));
    TItem& item = store_.items_.emplace_back();
    item.Plain = plain;
    store_.Keep(item, bytes);
    if (store_.items_.size() % kItemsPerReport == 0)
      workbook_.DoProgress(wpsSharedStrings, consumed_ / 1024, partSize_ / 1024,
                           WorkbookLng_SharedStrings);
  }

  // Whether item is an si holding one t of plain text, as nearly every item is; then bytes
  // becomes that text.
  bool PlainText(std::string_view& item) const {
    if (itemOpen_.size() != 3) return false;  // prefixed names: read by the parser
    const std::size_t textAt = PlainTextAt(item);
    if (textAt == std::string_view::npos || item.size() < textAt + kPlainEnd.size() ||
        item.substr(item.size() - kPlainEnd.size()) != kPlainEnd)
      return false;
    const std::string_view text = item.substr(textAt, item.size() - kPlainEnd.size() - textAt);
    if (!IsPlainXmlText(text)) return false;
    item = text;
    return true;
  }

  // Where the text of a plain item's t starts in the bytes from its start tag on; npos when
  // they do not start as one does.
  static std::size_t PlainTextAt(std::string_view bytes) {
    constexpr std::string_view kStart = "<si><t>";
    constexpr std::string_view kPreserve = "<si><t xml:space=\"preserve\">";
    if (bytes.substr(0, kStart.size()) == kStart) return kStart.size();
    if (bytes.substr(0, kPreserve.size()) == kPreserve) return kPreserve.size();
    return std::string_view::npos;
  }
  static constexpr std::string_view kPlainEnd = "</t></si>";

  TXLSXSharedStrings_Import& store_;
  TWorkbook& workbook_;
  std::int64_t partSize_;
  std::int64_t consumed_ = 0;
  std::string pending_;
  // Where scanning resumes in pending_: the tokens before it are counted.
  std::size_t at_ = 0;
  std::string root_;
  int depth_ = 0;
  bool rootSeen_ = false;
  bool rootDone_ = false;
  std::size_t itemStart_ = std::string::npos;
  std::string rootItemPrefix_;
  std::optional<bool> rootItem_;
  std::string itemOpen_ = "<si";
  std::string itemClose_ = "</si>";
};

// Parses items one at a time after the part's prolog, as if they stood in the root in the order
// they are asked for: one parser serves every item, each read once.
class TXLSXSharedStrings_Import::TParser final : public IXmlSaxHandler {
 public:
  TParser(const std::string& prolog, const TXLSXColorSources& colors)
      : reader_(colors), parser_(*this, "sst", IsXLSXMainNS, 1) {
    parser_.Write(prolog.data(), prolog.size());
    // Only the hand-written scanner hands an item's events over as soon as its bytes are in.
    if (!parser_.Scanned()) Malformed(u"is not UTF-8 XML with an sst root.");
  }

  // The item's text and runs; false when the bytes held no complete item.
  bool Parse(std::string_view item, std::u16string& text, TXLSXRichTextRuns& runs) {
    done_ = false;
    text_ = &text;
    runs_ = &runs;
    parser_.Write(item.data(), item.size());
    return done_;
  }

  void StartElement(std::string_view localName, std::string_view namespaceURI,
                    const TXmlSaxAttributes& attributes) override {
    if (++depth_ == 2)
      reader_.Begin();
    else
      reader_.StartElement(localName, namespaceURI, attributes);
  }
  void EndElement(std::string_view, std::string_view) override {
    if (depth_-- != 2) {
      reader_.EndElement();
      return;
    }
    reader_.Finish(TXLSXTextForm::SharedString, *text_, *runs_);
    done_ = true;
  }
  void Characters(std::string_view text) override {
    if (depth_ > 2) reader_.Characters(text);
  }

 private:
  TXLSXRichStringReader reader_;
  TXmlScanningParser parser_;
  // The root's start tag, in the prolog, is depth 1.
  int depth_ = 0;
  bool done_ = false;
  std::u16string* text_ = nullptr;
  TXLSXRichTextRuns* runs_ = nullptr;
};

TXLSXSharedStrings_Import::TXLSXSharedStrings_Import() = default;
TXLSXSharedStrings_Import::~TXLSXSharedStrings_Import() = default;

void TXLSXSharedStrings_Import::Begin(TWorkbook& workbook, const TXLSXColorSources& colors,
                                      std::int64_t partSize) {
  parser_.reset();
  colors_ = colors;
  prolog_.clear();
  blocks_.clear();
  kept_ = 0;
  items_.clear();
  texts_.clear();
  runs_.clear();
  workbook.DoProgress(wpsSharedStrings, 0, partSize / 1024, WorkbookLng_SharedStrings);
  scanner_ = std::make_unique<TScanner>(*this, workbook, partSize);
  workbook_ = &workbook;
}

TStream& TXLSXSharedStrings_Import::Scanner() { return *scanner_; }

void TXLSXSharedStrings_Import::Finish() {
  scanner_->Finish();
  scanner_.reset();
  texts_.resize(items_.size());
  workbook_->DoProgress(wpsSharedStrings, 1, 1, WorkbookLng_SharedStrings);
}

void TXLSXSharedStrings_Import::ReadXLSX(TZipArchive& zip, int entry, TWorkbook& workbook,
                                         const TXLSXColorSources& colors) {
  Begin(workbook, colors, zip.GetUncompressedSize(entry));
  zip.ExtractIndexToStream(entry, Scanner());
  Finish();
}

void TXLSXSharedStrings_Import::Keep(TItem& item, std::string_view bytes) {
  if (kept_ + bytes.size() > UINT32_MAX) Malformed(u"is too large to read.");
  item.Start = static_cast<std::uint32_t>(kept_);
  item.Size = static_cast<std::uint32_t>(bytes.size());
  if (bytes.empty()) return;
  if (blocks_.empty() || blocks_.back().Bytes.size() + bytes.size() > kBlockSize) {
    TBlock& block = blocks_.emplace_back();
    block.Start = kept_;
    block.Bytes.reserve(std::max(kBlockSize, bytes.size()));
  }
  TBlock& block = blocks_.back();
  block.Bytes.append(bytes);
  ++block.Unparsed;
  kept_ += bytes.size();
}

TXLSXSharedStrings_Import::TBlock& TXLSXSharedStrings_Import::BlockOf(const TItem& item) {
  // The last block starting at or before the item: blocks are never empty, so no two start
  // at one place.
  auto after = std::upper_bound(
      blocks_.begin(), blocks_.end(), std::uint64_t{item.Start},
      [](std::uint64_t start, const TBlock& block) { return start < block.Start; });
  return *(after - 1);
}

void TXLSXSharedStrings_Import::Parse(std::size_t index) {
  TItem& item = items_[index];
  TBlock* block = item.Size == 0 ? nullptr : &BlockOf(item);
  const std::string_view bytes =
      block == nullptr
          ? std::string_view()
          : std::string_view(block->Bytes).substr(item.Start - block->Start, item.Size);
  TXLSXRichTextRuns runs;
  if (item.Plain)
    XLSXPlainStringText(bytes, TXLSXTextForm::SharedString, text_);
  else
    ParseElement(index, bytes, text_, runs);
  // In the workbook's blocks, as cells are: most texts are short and many, and the cells that
  // share one keep it after the table is gone.
  texts_[index].Assign(text_, &workbook_->CellBlocks);
  item.HasRuns = !runs.empty();
  if (item.HasRuns) runs_.emplace(index, std::move(runs));
  item.Parsed = true;
  // Once every item of a block is parsed its bytes are of no further use.
  if (block != nullptr && --block->Unparsed == 0) {
    std::string().swap(block->Bytes);
    // The freed bytes lie amid the heap, where nothing of their size comes again: their pages
    // go back to the system instead of staying with the process until it ends.
    malloc_trim(0);
  }
}

void TXLSXSharedStrings_Import::ParseElement(std::size_t index, std::string_view bytes,
                                             std::u16string& text, TXLSXRichTextRuns& runs) {
  if (!parser_) parser_ = std::make_unique<TParser>(prolog_, colors_);
  bool parsed = false;
  try {
    parsed = parser_->Parse(bytes, text, runs);
  } catch (const EXmlError& error) {
    // Parsed while a sheet is read: say whose XML it is.
    Malformed(u"holds a damaged item (number " + ISOIntToStr(static_cast<std::int64_t>(index) + 1) +
              u"): " + error.Message());
  }
  if (!parsed) Malformed(u"holds an item that is no element.");
}

const TPackedText& TXLSXSharedStrings_Import::GetString(std::size_t index) {
  if (index >= items_.size()) return kEmpty;
  if (!items_[index].Parsed) Parse(index);
  return texts_[index];
}

const TXLSXRichTextRuns* TXLSXSharedStrings_Import::GetRuns(std::size_t index) {
  if (index >= items_.size()) return nullptr;
  if (!items_[index].Parsed) Parse(index);
  return items_[index].HasRuns ? &runs_.at(index) : nullptr;
}

}  // namespace workbook
