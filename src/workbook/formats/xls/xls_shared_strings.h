#pragma once
// The shared-string table (SST record) as read from a BIFF8 stream: the strings in SST order,
// each with its formatting runs.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "workbook/core/stream.h"
#include "workbook/formats/xls/xls_strings.h"
#include "workbook/model/packed_text.h"

namespace workbook {

// Base of whatever a reader attaches to an entry (data derived from the string).
class TXLSSharedStrings_ImportObject {
 public:
  virtual ~TXLSSharedStrings_ImportObject() = default;
};

class TXLSSharedStrings_ImportEntry {
 public:
  TXLSSharedStrings_ImportEntry(std::u16string_view text, std::vector<TXLSRichTextRun> runs)
      : text_(text), runs_(std::move(runs)) {}

  std::u16string_view Text() const { return text_.View(); }
  // The text for cells to share, its line breaks as cells keep them (CR LF): made once per
  // entry, however many cells use it.
  const TPackedText& SharedText() const;
  const std::vector<TXLSRichTextRun>& Runs() const { return runs_; }
  // The attached object (owned; the previous one is freed when another is set).
  TXLSSharedStrings_ImportObject* Object() const { return object_.get(); }
  void SetObject(std::unique_ptr<TXLSSharedStrings_ImportObject> object) {
    object_ = std::move(object);
  }

 private:
  TPackedText text_;
  mutable TPackedText cellText_;  // made on first use when the text has lone CR or LF
  std::vector<TXLSRichTextRun> runs_;
  std::unique_ptr<TXLSSharedStrings_ImportObject> object_;
};

class TXLSSharedStrings_Import {
 public:
  virtual ~TXLSSharedStrings_Import() = default;

  // Appends an entry; returns its index.
  std::size_t Add(std::u16string text, std::vector<TXLSRichTextRun> runs);
  std::size_t AddString(std::u16string text) { return Add(std::move(text), {}); }
  void Clear() { entries_.clear(); }
  std::size_t Count() const { return entries_.size(); }
  // The entry at index, nullptr outside the table.
  TXLSSharedStrings_ImportEntry* GetEntry(std::size_t index) const;
  // The text at index, empty outside the table.
  std::u16string GetString(std::size_t index) const;

  // Reads the SST record whose header stands at Stream's position, with its CONTINUE records;
  // does nothing when the table already holds entries. A string cut off where no CONTINUE record
  // follows raises EXLSSharedStrings "Expected CONTINUE not found."; the strings read before it
  // stay in the table. A table that ends, at a string's end, before the unique count the record
  // declares keeps the strings that are there.
  void LoadFromStream(TMemoryStream& stream);

 private:
  std::vector<std::unique_ptr<TXLSSharedStrings_ImportEntry>> entries_;
};

}  // namespace workbook
