#pragma once
// The shared-string table (SST record) as read from a BIFF8 stream: the strings in SST order,
// each with its formatting runs.
#include <cstddef>
#include <memory>
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

// A table of a big file holds hundreds of thousands of entries: an entry is its text and one
// pointer, and only the few strings with runs, lone line breaks or an attached object carry more.
class TXLSSharedStrings_ImportEntry {
 public:
  TXLSSharedStrings_ImportEntry(TPackedText text, std::vector<TXLSRichTextRun> runs);

  const TPackedText& Text() const { return text_; }
  // The text for cells to share, its line breaks as cells keep them (CR LF): made once per
  // entry, however many cells use it.
  const TPackedText& SharedText() const;
  const std::vector<TXLSRichTextRun>& Runs() const;
  // The attached object (owned; the previous one is freed when another is set).
  TXLSSharedStrings_ImportObject* Object() const { return extra_ ? extra_->Object.get() : nullptr; }
  void SetObject(std::unique_ptr<TXLSSharedStrings_ImportObject> object);

 private:
  struct TExtra {
    std::vector<TXLSRichTextRun> Runs;
    TPackedText CellText;  // the text with lone CR or LF made CR LF pairs
    std::unique_ptr<TXLSSharedStrings_ImportObject> Object;
  };
  TExtra& Extra();

  TPackedText text_;
  std::unique_ptr<TExtra> extra_;
};

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
