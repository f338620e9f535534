#pragma once
// A text held in one pointer (its length stored in front of its characters): string cells are
// many, and a full string object would double the size of each. The characters never change once
// made, so copies share them under a count: cells read from a shared-string table hold the
// table's text instead of a copy each. What cells need to know about a text (whether it holds
// line breaks) is found once when it is made, so a text shared by many cells is never scanned
// again per cell. A text whose every character is one of Windows-1250 (ASCII and the Slovak and
// Czech letters: what this system's users write) keeps one byte per character, found in the same
// pass; its size is still counted in UTF-16 units.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace workbook {

class TItemBlocks;
class TTextBuffer;

class TPackedText {
 public:
  TPackedText() = default;
  explicit TPackedText(std::u16string_view text) { Assign(text); }
  TPackedText(const TPackedText& other) noexcept : data_(other.data_) { AddRef(); }
  TPackedText(TPackedText&& other) noexcept : data_(other.data_) { other.data_ = nullptr; }
  TPackedText& operator=(const TPackedText& other) noexcept;
  TPackedText& operator=(TPackedText&& other) noexcept;
  ~TPackedText() { Release(); }

  // With blocks (a workbook's), a short text takes its room there: its own size, made and freed
  // in bulk, instead of a heap allocation each.
  void Assign(std::u16string_view text, TItemBlocks* blocks = nullptr);
  // The characters: the stored ones, or a one-byte text's widened into scratch (the view then
  // lasts as long as scratch is left alone).
  std::u16string_view View(std::u16string& scratch) const;
  // The characters appended to out.
  void AppendTo(std::u16string& out) const;
  std::u16string ToString() const;
  bool Equals(std::u16string_view text) const;
  // What tells this text apart from every other one living, whatever its characters: its copies
  // have the same.
  const void* Identity() const { return data_; }
  std::size_t size() const { return data_ ? data_->Length : 0; }
  bool empty() const { return data_ == nullptr; }
  // Whether another holder shares the characters: a text only one holder has can only be met
  // again through that holder.
  bool Shared() const { return data_ && data_->Refs >= 2 * kOneRef; }
  // Holds a CR LF pair.
  bool HasCRLF() const { return data_ && (data_->Refs & kHasCRLF); }
  // Holds a CR or an LF that is not part of a CR LF pair.
  bool HasLoneLineBreak() const { return data_ && (data_->Refs & kHasLoneBreak); }
  // The text with every lone CR or LF made a CR LF pair: this text itself when it has none.
  TPackedText WithCRLFBreaks() const;
  // Characters read so far, process-wide, to find texts' facts and to normalise their line
  // breaks: what tests count to see that a shared text is read once, not once per cell.
  static std::uint64_t CharactersExamined();

 private:
  friend class TTextBuffer;
  friend struct TPackedTextProbe;  // tests reach the count's limit without 2^28 copies
  // The facts of a text sit in the low bits of its reference count.
  static constexpr std::uint32_t kHasCRLF = 1;
  static constexpr std::uint32_t kHasLoneBreak = 2;
  static constexpr std::uint32_t kInBlocks = 4;
  static constexpr std::uint32_t kNarrow = 8;  // one Windows-1250 byte per character
  static constexpr std::uint32_t kFactBits = 4;
  static constexpr std::uint32_t kOneRef = std::uint32_t{1} << kFactBits;
  // A count that reaches its largest value stays there: the text then lives as long as the
  // process instead of a count wrapping round to free it while it is still held.
  static constexpr std::uint32_t kSaturated = ~(kOneRef - 1);
  struct THeader {
    // A plain count: texts are shared within the one thread the library runs on, and a count
    // that locks the bus would cost every cell made and freed. The count is Refs / kOneRef.
    std::uint32_t Refs;
    std::uint32_t Length;
  };

  // The line-break facts, and kNarrow where the text allows it, in one pass; with narrowed (room
  // for the text's size), the text's Windows-1250 bytes as well, meaningful where kNarrow is
  // found.
  static std::uint32_t ScanFacts(std::u16string_view text, unsigned char* narrowed = nullptr);
  // text's Windows-1250 bytes, which ScanFacts found it has.
  static void NarrowInto(std::u16string_view text, unsigned char* to);
  template <bool kNarrowing>
  static std::uint32_t Scan(std::u16string_view text, unsigned char* narrowed);
  bool Narrow() const { return data_->Refs & kNarrow; }
  const char16_t* Chars() const { return reinterpret_cast<const char16_t*>(data_ + 1); }
  const unsigned char* Bytes() const { return reinterpret_cast<const unsigned char*>(data_ + 1); }
  void AddRef() noexcept {
    if (data_ && data_->Refs < kSaturated) data_->Refs += kOneRef;
  }
  void Release() noexcept;

  THeader* data_ = nullptr;  // null for the empty text
};

// text with every lone CR or LF made a CR LF pair. With moved, moved[i] is where unit i of text
// lands in the result (moved[text's size] is the result's size), for positions that must follow.
std::u16string WithCRLFBreaks(std::u16string_view text, std::vector<std::int32_t>* moved = nullptr);

}  // namespace workbook
