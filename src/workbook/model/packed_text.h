#pragma once
// A text held in one pointer (its length stored in front of its characters): string cells are
// many, and a full string object would double the size of each. The characters never change once
// made, so copies share them under a count: cells read from a shared-string table hold the
// table's text instead of a copy each. What cells need to know about a text (whether it holds
// line breaks) is found once when it is made, so a text shared by many cells is never scanned
// again per cell.
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
  std::u16string_view View() const {
    return data_ ? std::u16string_view(Chars(), data_->Length) : std::u16string_view();
  }
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

  static std::uint32_t LineBreakFacts(std::u16string_view text);
  const char16_t* Chars() const { return reinterpret_cast<const char16_t*>(data_ + 1); }
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
