#include "workbook/model/packed_text.h"

#include "workbook/core/item_blocks.h"
#include "workbook/model/load_budget.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>
#include <stdexcept>

namespace workbook {

namespace {

std::atomic<std::uint64_t> charactersExamined{0};

void Examined(std::size_t characters) {
  charactersExamined.fetch_add(characters, std::memory_order_relaxed);
}

}  // namespace

std::uint64_t TPackedText::CharactersExamined() {
  return charactersExamined.load(std::memory_order_relaxed);
}

std::uint32_t TPackedText::LineBreakFacts(std::u16string_view text) {
  Examined(text.size());
  std::uint32_t facts = 0;
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    // Most characters sort above CR, which tells them apart with one comparison.
    const char16_t c = text[i];
    if (c > u'\r' || (c != u'\r' && c != u'\n')) continue;
    if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
      facts |= kHasCRLF;
      ++i;
    } else {
      facts |= kHasLoneBreak;
    }
    if (facts == (kHasCRLF | kHasLoneBreak)) break;
  }
  return facts;
}

TPackedText TPackedText::WithCRLFBreaks() const {
  if (!HasLoneLineBreak()) return *this;
  Examined(size());
  return TPackedText(workbook::WithCRLFBreaks(View()));
}

std::u16string WithCRLFBreaks(std::u16string_view text, std::vector<std::int32_t>* moved) {
  std::u16string normal;
  normal.reserve(text.size() + text.size() / 8);
  if (moved) moved->assign(text.size() + 1, 0);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (moved) (*moved)[i] = static_cast<std::int32_t>(normal.size());
    const char16_t c = text[i];
    if (c != u'\r' && c != u'\n') {
      normal += c;
      continue;
    }
    normal += u"\r\n";
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      ++i;
      if (moved) (*moved)[i] = static_cast<std::int32_t>(normal.size()) - 1;
    }
  }
  if (moved) moved->back() = static_cast<std::int32_t>(normal.size());
  return normal;
}

TPackedText& TPackedText::operator=(const TPackedText& other) noexcept {
  if (data_ != other.data_) {
    Release();
    data_ = other.data_;
    AddRef();
  }
  return *this;
}

TPackedText& TPackedText::operator=(TPackedText&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = other.data_;
    other.data_ = nullptr;
  }
  return *this;
}

void TPackedText::Release() noexcept {
  if (data_ && data_->Refs < kSaturated && (data_->Refs -= kOneRef) < kOneRef) {
    const bool inBlocks = data_->Refs & kInBlocks;
    const std::size_t bytes = sizeof(THeader) + data_->Length * sizeof(char16_t);
    data_->~THeader();
    if (inBlocks)
      TItemBlocks::Release(data_, bytes);
    else
      std::free(data_);
  }
  data_ = nullptr;
}

void TPackedText::Assign(std::u16string_view text, TItemBlocks* blocks) {
  THeader* fresh = nullptr;
  if (!text.empty()) {
    if (text.size() > std::numeric_limits<std::uint32_t>::max())
      throw std::length_error("text too long");
    TWorkbookLoadBudget::ChargeTextBytes(static_cast<std::int64_t>(text.size() * sizeof(char16_t)));
    const std::size_t bytes = sizeof(THeader) + text.size() * sizeof(char16_t);
    const bool inBlocks = blocks && bytes <= TItemBlocks::kLargest;
    void* room = inBlocks ? blocks->Allocate(bytes) : std::malloc(bytes);
    if (!room) throw std::bad_alloc();
    const std::uint32_t facts = LineBreakFacts(text) | (inBlocks ? kInBlocks : 0);
    fresh = new (room) THeader{kOneRef | facts, static_cast<std::uint32_t>(text.size())};
    std::copy(text.begin(), text.end(), reinterpret_cast<char16_t*>(fresh + 1));
  }
  Release();
  data_ = fresh;
}

}  // namespace workbook
