#include "workbook/formats/xls/xls_shared_strings.h"

#include "workbook/formats/xls/xls_record_reader.h"

namespace workbook {

std::size_t TXLSSharedStrings_Import::Add(std::u16string text, std::vector<TXLSRichTextRun> runs) {
  entries_.push_back(std::make_unique<TXLSSharedStrings_ImportEntry>(text, std::move(runs)));
  return entries_.size() - 1;
}

const TPackedText& TXLSSharedStrings_ImportEntry::SharedText() const {
  if (!text_.HasLoneLineBreak()) return text_;
  if (cellText_.empty()) cellText_ = text_.WithCRLFBreaks();
  return cellText_;
}

TXLSSharedStrings_ImportEntry* TXLSSharedStrings_Import::GetEntry(std::size_t index) const {
  return index < entries_.size() ? entries_[index].get() : nullptr;
}

std::u16string TXLSSharedStrings_Import::GetString(std::size_t index) const {
  return index < entries_.size() ? std::u16string(entries_[index]->Text()) : std::u16string();
}

void TXLSSharedStrings_Import::LoadFromStream(TMemoryStream& stream) {
  if (!entries_.empty()) return;
  TXLSRecordReader reader(stream);
  if (!reader.Next()) return;
  reader.ReadDWord();  // total number of string references in the workbook
  // The declared unique count only bounds the loop; nothing is reserved from it, since the
  // strings must actually be there.
  const std::uint32_t uniqueCount = reader.ReadDWord();
  std::vector<TXLSRichTextRun> runs;
  for (std::uint32_t i = 0; i < uniqueCount; ++i) {
    while (reader.Left() == 0) {
      // Some writers declare more strings than they store; the table ends with the data.
      if (!reader.NextIsContinue()) return;
      reader.NextContinue();
    }
    const std::uint16_t count = reader.ReadWord();
    std::u16string text = XLSReadRichString(reader, count, runs);
    Add(std::move(text), runs);
  }
}

}  // namespace workbook
