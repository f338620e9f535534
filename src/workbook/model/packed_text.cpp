#include "workbook/model/packed_text.h"

#include "platform/text_codec.h"
#include "workbook/core/item_blocks.h"
#include "workbook/model/load_budget.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <type_traits>

namespace workbook {

namespace {

std::atomic<std::uint64_t> charactersExamined{0};

void Examined(std::size_t characters) {
  charactersExamined.fetch_add(characters, std::memory_order_relaxed);
}

// Eight UTF-16 units, and eight bytes: one step of the scan of most texts.
using TEightUnits = std::uint16_t __attribute__((vector_size(16)));
using TEightBytes = std::uint8_t __attribute__((vector_size(8)));

// Whether the eight units at units are all ASCII above CR (units that need neither a fact nor a
// look-up: what most texts are made of); if so, their bytes go to narrowed when narrowing.
template <bool kNarrowing>
bool EightPlainUnits(const char16_t* units, unsigned char* narrowed) {
  constexpr TEightUnits kAboveCR = {0x0E, 0x0E, 0x0E, 0x0E, 0x0E, 0x0E, 0x0E, 0x0E};
  constexpr TEightUnits kSpan = {0x72, 0x72, 0x72, 0x72, 0x72, 0x72, 0x72, 0x72};  // to U+007F
  TEightUnits eight;
  std::memcpy(&eight, units, sizeof eight);
  const TEightBytes plain = __builtin_convertvector((eight - kAboveCR) < kSpan, TEightBytes);
  std::uint64_t flags;
  std::memcpy(&flags, &plain, sizeof flags);
  if (flags != ~std::uint64_t{0}) return false;
  // Only then: narrowed in place, the bytes would overwrite units still to be read.
  if constexpr (kNarrowing) {
    const TEightBytes bytes = __builtin_convertvector(eight, TEightBytes);
    std::memcpy(narrowed, &bytes, sizeof bytes);
  }
  return true;
}

// Room of bytes: in blocks where they are given and it fits there (inBlocks says so), else on the
// heap.
void* TakeRoom(std::size_t bytes, TItemBlocks* blocks, bool& inBlocks) {
  inBlocks = blocks && bytes <= TItemBlocks::kLargest;
  void* room = inBlocks ? blocks->Allocate(bytes) : std::malloc(bytes);
  if (!room) throw std::bad_alloc();
  return room;
}

void GiveBack(void* room, std::size_t bytes, bool inBlocks) {
  if (inBlocks)
    TItemBlocks::Release(room, bytes);
  else
    std::free(room);
}

}  // namespace

std::uint64_t TPackedText::CharactersExamined() {
  return charactersExamined.load(std::memory_order_relaxed);
}

// Forward, each unit read before its byte is written: narrowed may be where text's own units
// start.
template <bool kNarrowing>
std::uint32_t TPackedText::Scan(std::u16string_view text, unsigned char* narrowed) {
  std::uint32_t facts = kNarrow;
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (true) {
    for (; i + 8 <= n; i += 8)
      if (!EightPlainUnits<kNarrowing>(text.data() + i, kNarrowing ? narrowed + i : nullptr)) break;
    // Then up to eight units one at a time: plain ones, then one that is not.
    const std::size_t stop = std::min(n, i + 8);
    for (; i < stop; ++i) {
      const char16_t c = text[i];
      if (static_cast<char16_t>(c - 0x0E) >= 0x80 - 0x0E) break;
      if constexpr (kNarrowing) narrowed[i] = static_cast<unsigned char>(c);
    }
    if (i == n) return facts;
    if (i == stop) continue;
    const char16_t c = text[i];
    if constexpr (kNarrowing) narrowed[i] = static_cast<unsigned char>(c);
    if (c >= 0x80) {
      const unsigned char byte = platform::Cp1250HighByte(c);
      if constexpr (kNarrowing) narrowed[i] = byte;
      if (byte == 0) facts &= ~kNarrow;
    } else if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
      facts |= kHasCRLF;
      if constexpr (kNarrowing) narrowed[i + 1] = '\n';
      ++i;
    } else if (c == u'\r' || c == u'\n') {
      facts |= kHasLoneBreak;
    }
    ++i;
    if (facts == (kHasCRLF | kHasLoneBreak)) return facts;  // nothing more to learn
  }
}

std::uint32_t TPackedText::ScanFacts(std::u16string_view text, unsigned char* narrowed) {
  Examined(text.size());
  return narrowed ? Scan<true>(text, narrowed) : Scan<false>(text, nullptr);
}

void TPackedText::NarrowInto(std::u16string_view text, unsigned char* to) { Scan<true>(text, to); }

std::u16string_view TPackedText::View(std::u16string& scratch) const {
  if (!data_) return {};
  if (!Narrow()) return {Chars(), data_->Length};
  scratch.clear();
  AppendTo(scratch);
  return scratch;
}

void TPackedText::AppendTo(std::u16string& out) const {
  if (!data_) return;
  if (Narrow())
    platform::AppendCp1250AsUtf16({reinterpret_cast<const char*>(Bytes()), data_->Length}, out);
  else
    out.append(Chars(), data_->Length);
}

std::u16string TPackedText::ToString() const {
  std::u16string text;
  AppendTo(text);
  return text;
}

bool TPackedText::Equals(std::u16string_view text) const {
  if (text.size() != size()) return false;
  if (!data_) return true;
  if (!Narrow()) return std::equal(text.begin(), text.end(), Chars());
  const unsigned char* bytes = Bytes();
  for (std::size_t i = 0; i < text.size(); ++i)
    if (platform::kCp1250Units[bytes[i]] != text[i]) return false;
  return true;
}

TPackedText TPackedText::WithCRLFBreaks() const {
  if (!HasLoneLineBreak()) return *this;
  Examined(size());
  std::u16string scratch;
  return TPackedText(workbook::WithCRLFBreaks(View(scratch)));
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
    const std::size_t bytes = sizeof(THeader) + data_->Length * (Narrow() ? 1 : sizeof(char16_t));
    data_->~THeader();
    GiveBack(data_, bytes, inBlocks);
  }
  data_ = nullptr;
}

void TPackedText::Assign(std::u16string_view text, TItemBlocks* blocks) {
  THeader* fresh = nullptr;
  if (!text.empty()) {
    const std::size_t n = text.size();
    if (n > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("text too long");
    TWorkbookLoadBudget::ChargeTextBytes(static_cast<std::int64_t>(n * sizeof(char16_t)));
    // The room is made for one byte a character and the text narrowed into it as it is scanned;
    // the few texts that need two bytes take another.
    const std::size_t narrowBytes = sizeof(THeader) + n;
    bool inBlocks = false;
    void* room = TakeRoom(narrowBytes, blocks, inBlocks);
    std::uint32_t facts = ScanFacts(text, static_cast<unsigned char*>(room) + sizeof(THeader));
    const bool narrow = facts & kNarrow;
    if (!narrow) {
      bool wideInBlocks = false;
      void* wide = nullptr;
      try {
        wide = TakeRoom(sizeof(THeader) + n * sizeof(char16_t), blocks, wideInBlocks);
      } catch (...) {
        GiveBack(room, narrowBytes, inBlocks);
        throw;
      }
      GiveBack(room, narrowBytes, inBlocks);
      room = wide;
      inBlocks = wideInBlocks;
    }
    if (inBlocks) facts |= kInBlocks;
    fresh = new (room) THeader{kOneRef | facts, static_cast<std::uint32_t>(n)};
    if (!narrow) std::copy(text.begin(), text.end(), reinterpret_cast<char16_t*>(fresh + 1));
  }
  Release();
  data_ = fresh;
}

}  // namespace workbook
