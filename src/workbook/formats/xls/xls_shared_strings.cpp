#include "workbook/formats/xls/xls_shared_strings.h"

#include <algorithm>

#include "workbook/formats/xls/xls_record_reader.h"

namespace workbook {

TXLSSharedStrings_ImportEntry::TXLSSharedStrings_ImportEntry(TPackedText text,
                                                             std::vector<TXLSRichTextRun> runs) {
  if (runs.empty() && !text.HasLoneLineBreak()) {
    ::new (word_) TPackedText(std::move(text));
    return;
  }
  auto extra = std::make_unique<TExtra>(TExtra{std::move(text), std::move(runs), {}, nullptr});
  if (extra->Text.HasLoneLineBreak()) extra->CellText = extra->Text.WithCRLFBreaks();
  PointTo(extra.release());
}

TXLSSharedStrings_ImportEntry& TXLSSharedStrings_ImportEntry::operator=(
    TXLSSharedStrings_ImportEntry&& other) noexcept {
  if (this != &other) {
    Free();
    TakeFrom(other);
  }
  return *this;
}

void TXLSSharedStrings_ImportEntry::TakeFrom(TXLSSharedStrings_ImportEntry& other) noexcept {
  if (TExtra* extra = other.ExtraIfAny()) {
    PointTo(extra);
    ::new (other.word_) TPackedText();
  } else {
    ::new (word_) TPackedText(std::move(other.Plain()));
  }
}

void TXLSSharedStrings_ImportEntry::Free() noexcept {
  if (TExtra* extra = ExtraIfAny())
    delete extra;
  else
    Plain().~TPackedText();
}

const std::vector<TXLSRichTextRun> TXLSSharedStrings_ImportEntry::kNoRuns;

void TXLSSharedStrings_ImportEntry::SetObject(
    std::unique_ptr<TXLSSharedStrings_ImportObject> object) {
  TExtra* extra = ExtraIfAny();
  if (!extra) {
    auto made = std::make_unique<TExtra>();
    made->Text = std::move(Plain());
    Plain().~TPackedText();
    extra = made.release();
    PointTo(extra);
  }
  extra->Object = std::move(object);
}

std::size_t TXLSSharedStrings_Import::Add(std::u16string_view text,
                                          std::vector<TXLSRichTextRun> runs, TItemBlocks* blocks) {
  TPackedText packed;
  packed.Assign(text, blocks);
  entries_.emplace_back(std::move(packed), std::move(runs));
  return entries_.size() - 1;
}

TXLSSharedStrings_ImportEntry* TXLSSharedStrings_Import::GetEntry(std::size_t index) {
  return index < entries_.size() ? &entries_[index] : nullptr;
}

const TXLSSharedStrings_ImportEntry* TXLSSharedStrings_Import::GetEntry(std::size_t index) const {
  return index < entries_.size() ? &entries_[index] : nullptr;
}

std::u16string TXLSSharedStrings_Import::GetString(std::size_t index) const {
  return index < entries_.size() ? entries_[index].Text().ToString() : std::u16string();
}

void TXLSSharedStrings_Import::LoadFromStream(TOleStreamReader& stream, std::int64_t position,
                                              TItemBlocks* blocks) {
  if (!entries_.empty()) return;
  TXLSRecordReader reader(stream, position);
  if (!reader.Next()) return;
  reader.ReadDWord();  // total number of string references in the workbook
  const std::uint32_t uniqueCount = reader.ReadDWord();
  // The declared count is reserved only as far as the stream could hold it: every string takes at
  // least three bytes (its count and option byte).
  const std::int64_t room = (stream.Size() - reader.Position()) / 3;
  entries_.reserve(static_cast<std::size_t>(std::min<std::int64_t>(uniqueCount, room)));
  // One text and one run list serve every string; each entry keeps only its packed copy.
  std::u16string text;
  std::vector<TXLSRichTextRun> runs;
  for (std::uint32_t i = 0; i < uniqueCount; ++i) {
    while (reader.Left() == 0) {
      // Some writers declare more strings than they store; the table ends with the data.
      if (!reader.NextIsContinue()) return;
      reader.NextContinue();
    }
    const std::uint16_t count = reader.ReadWord();
    XLSReadRichString(reader, count, text, runs);
    Add(text, runs.empty() ? std::vector<TXLSRichTextRun>() : runs, blocks);
  }
}

}  // namespace workbook
