// Rich-text runs as BIFF8 strings carry them: character index and BIFF font index.
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/model/font_list.h"
#include "workbook/model/rich_text.h"

namespace workbook {

namespace {

// Registry index i is BIFF font i, but from 1 on one more past the missing BIFF font 4.
std::uint16_t BiffFontIndex(int registryIndex) {
  return static_cast<std::uint16_t>(registryIndex == 0 ? 0 : registryIndex + 4);
}

int RegistryIndexOfBiffFont(int biffIndex) { return biffIndex >= 4 ? biffIndex - 1 : biffIndex; }

}  // namespace

void TStringRichTextTagTextList::WriteXLSRuns(std::vector<std::uint8_t>& runBuffer,
                                              const TExportFont& defaultFont,
                                              TExportFontList& fontList) const {
  runBuffer.clear();
  std::size_t counter = 0;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const auto& entry = entries_[i];
    if (i > 0 || entry.Font) {
      std::uint16_t font = BiffFontIndex(fontList.Add(entry.Font ? *entry.Font : defaultFont));
      runBuffer.push_back(static_cast<std::uint8_t>(counter));
      runBuffer.push_back(static_cast<std::uint8_t>(counter >> 8));
      runBuffer.push_back(static_cast<std::uint8_t>(font));
      runBuffer.push_back(static_cast<std::uint8_t>(font >> 8));
    }
    counter += entry.Text.size();
  }
}

void TStringRichTextTags::ReadXLSRuns(std::span<const std::uint8_t> runBuffer) {
  Clear();
  const TExportFont& base = GetDefaultFont();
  const TExportFontList& fonts = GetFontList();
  for (std::size_t at = 0; at + 4 <= runBuffer.size(); at += 4) {
    const int character = XLSDecodeWord(runBuffer.data() + at);
    const int biffFont = XLSDecodeWord(runBuffer.data() + at + 2);
    TExportFont font = base;
    if (const TExportFont* known = fonts.GetItem(RegistryIndexOfBiffFont(biffFont))) font = *known;
    AddTag(character + 1, font);
  }
  Sort();
  for (std::int32_t i = Count() - 1; i >= 0; --i) {
    if (GetTag(i)->Position < 1 || (i > 0 && GetTag(i)->Position == GetTag(i - 1)->Position))
      Delete(i);
  }
}

}  // namespace workbook
