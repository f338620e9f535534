#pragma once
// The shared-string table (SST record) as read from a BIFF8 stream: the strings in SST order,
// each with its formatting runs.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "workbook/formats/xls/ole_stream_reader.h"
#include "workbook/formats/xls/xls_strings.h"
#include "workbook/model/packed_text.h"

namespace workbook {

// Base of whatever a reader attaches to an entry (data derived from the string).
class TXLSSharedStrings_ImportObject {
 public:
  virtual ~TXLSSharedStrings_ImportObject() = default;
};

// A table of a big file holds hundreds of thousands of entries: an entry is one word, its text,
// and only the few strings with runs, lone line breaks or an attached object hold their text in
// an extra record the word points to instead (tagged in its low bit, which a text's pointer to
// its aligned header leaves clear).
class TXLSSharedStrings_ImportEntry {
 public:
  TXLSSharedStrings_ImportEntry(TPackedText text, std::vector<TXLSRichTextRun> runs);
  TXLSSharedStrings_ImportEntry(TXLSSharedStrings_ImportEntry&& other) noexcept { TakeFrom(other); }
  TXLSSharedStrings_ImportEntry& operator=(TXLSSharedStrings_ImportEntry&& other) noexcept;
  ~TXLSSharedStrings_ImportEntry() { Free(); }

  const TPackedText& Text() const {
    const TExtra* extra = ExtraIfAny();
    return extra ? extra->Text : Plain();
  }
  // The text for cells to share, its line breaks as cells keep them (CR LF): made once per
  // entry, however many cells use it.
  const TPackedText& SharedText() const {
    const TExtra* extra = ExtraIfAny();
    if (!extra) return Plain();
    return extra->CellText.empty() ? extra->Text : extra->CellText;
  }
  const std::vector<TXLSRichTextRun>& Runs() const {
    const TExtra* extra = ExtraIfAny();
    return extra ? extra->Runs : kNoRuns;
  }
  // The attached object (owned; the previous one is freed when another is set).
  TXLSSharedStrings_ImportObject* Object() const {
    const TExtra* extra = ExtraIfAny();
    return extra ? extra->Object.get() : nullptr;
  }
  void SetObject(std::unique_ptr<TXLSSharedStrings_ImportObject> object);

 private:
  struct TExtra {
    TPackedText Text;
    std::vector<TXLSRichTextRun> Runs;
    TPackedText CellText;  // the text with lone CR or LF made CR LF pairs
    std::unique_ptr<TXLSSharedStrings_ImportObject> Object;
  };
  static constexpr std::uintptr_t kExtraTag = 1;
  static const std::vector<TXLSRichTextRun> kNoRuns;
  static_assert(alignof(TExtra) > kExtraTag);

  std::uintptr_t Word() const {
    std::uintptr_t word;
    std::memcpy(&word, word_, sizeof word);
    return word;
  }
  TExtra* ExtraIfAny() const {
    const std::uintptr_t word = Word();
    return (word & kExtraTag) != 0 ? reinterpret_cast<TExtra*>(word & ~kExtraTag) : nullptr;
  }
  // The text the word holds itself, while it points to no extra.
  TPackedText& Plain() { return *std::launder(reinterpret_cast<TPackedText*>(word_)); }
  const TPackedText& Plain() const {
    return *std::launder(reinterpret_cast<const TPackedText*>(word_));
  }
  void PointTo(TExtra* extra) noexcept {
    const std::uintptr_t word = reinterpret_cast<std::uintptr_t>(extra) | kExtraTag;
    std::memcpy(word_, &word, sizeof word);
  }
  // Takes other's text or extra; other is left holding the empty text.
  void TakeFrom(TXLSSharedStrings_ImportEntry& other) noexcept;
  void Free() noexcept;

  alignas(TPackedText) unsigned char word_[sizeof(TPackedText)];
};
static_assert(sizeof(TXLSSharedStrings_ImportEntry) == sizeof(void*));

class TXLSSharedStrings_Import {
 public:
  virtual ~TXLSSharedStrings_Import() = default;

  // Appends an entry; returns its index. With blocks (a workbook's) a short text takes its room
  // there, as cells do.
  std::size_t Add(std::u16string_view text, std::vector<TXLSRichTextRun> runs,
                  TItemBlocks* blocks = nullptr);
  std::size_t AddString(std::u16string_view text) { return Add(text, {}); }
  void Clear() { entries_.clear(); }
  std::size_t Count() const { return entries_.size(); }
  // The entry at index, nullptr outside the table; valid until the next Add.
  TXLSSharedStrings_ImportEntry* GetEntry(std::size_t index);
  const TXLSSharedStrings_ImportEntry* GetEntry(std::size_t index) const;
  // The text at index, empty outside the table.
  std::u16string GetString(std::size_t index) const;

  // Reads the SST record whose header stands at position of stream, with its CONTINUE records;
  // does nothing when the table already holds entries. A string cut off where no CONTINUE record
  // follows raises EXLSSharedStrings "Expected CONTINUE not found."; the strings read before it
  // stay in the table. A table that ends, at a string's end, before the unique count the record
  // declares keeps the strings that are there. Texts go to blocks as Add puts them.
  void LoadFromStream(TOleStreamReader& stream, std::int64_t position,
                      TItemBlocks* blocks = nullptr);

 private:
  std::vector<TXLSSharedStrings_ImportEntry> entries_;
};

}  // namespace workbook
