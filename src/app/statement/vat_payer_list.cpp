#include "app/statement/vat_payer_list.h"

#include <algorithm>
#include <cerrno>
#include <fstream>

#include "app/statement/errors.h"
#include "app/statement/integer_text.h"
#include "platform/text_codec.h"

namespace app {
namespace {

struct TKindName {
  std::string_view Name;
  TVATListKind Kind;
  std::size_t HeaderLines;
};

constexpr TKindName kKinds[] = {
    {"ZoznamSubjektovRegistrovanychkDPH", TVATListKind::Register, 2},
    {"zoznamplatitelovdphsdovodomna", TVATListKind::Cancellation, 1},
    {"zoznamplatitelovdph_osobitnau", TVATListKind::SpecialScheme, 1},
};

constexpr std::size_t kTextStart = 13;  // the text is the line from its 14th character on
constexpr std::size_t kTextLimit = 200;

const TKindName* KindNameOf(std::string_view firstLine) {
  for (const TKindName& kind : kKinds)
    if (firstLine.starts_with(kind.Name)) return &kind;
  return nullptr;
}

std::string_view KeyChars(std::string_view line) {
  return line.substr(std::min<std::size_t>(2, line.size()), 10);
}

}  // namespace

std::optional<TVATListKind> VATListKindOf(std::string_view firstLine) {
  if (const TKindName* kind = KindNameOf(firstLine)) return kind->Kind;
  return std::nullopt;
}

TFileLineReader::TFileLineReader(std::istream& in, std::size_t keep, std::size_t chunk)
    : in_(in), keep_(keep), buffer_(std::max<std::size_t>(chunk, 1)) {}

bool TFileLineReader::Fill() {
  in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  if (in_.bad()) throw EInOutError("Read error");
  size_ = static_cast<std::size_t>(in_.gcount());
  pos_ = 0;
  return size_ > 0;
}

bool TFileLineReader::Next(std::string& line) {
  line.clear();
  bool any = false;
  bool cr_last = false;
  std::size_t seen = 0;  // characters of the line so far, kept or not
  while (pos_ < size_ || Fill()) {
    any = true;
    const char* begin = buffer_.data() + pos_;
    const char* end = buffer_.data() + size_;
    const char* lf = std::find(begin, end, '\n');
    const std::size_t length = static_cast<std::size_t>(lf - begin);
    if (seen < keep_) line.append(begin, std::min(length, keep_ - seen));
    if (length > 0) cr_last = begin[length - 1] == '\r';
    seen += length;
    pos_ += length;
    if (lf != end) {
      ++pos_;
      if (cr_last && seen <= keep_) line.pop_back();
      return true;
    }
  }
  return any;
}

namespace {

// The lines from the stream's position on, the stream left where it was: the entries then take
// one allocation of their exact size instead of growing through copies twice as large.
std::size_t CountLines(std::istream& in) {
  const std::streampos start = in.tellg();
  if (start == std::streampos(-1)) return 0;
  std::size_t count = 0;
  TFileLineReader lines(in, 0);
  for (std::string line; lines.Next(line);) ++count;
  in.clear();
  in.seekg(start);
  return count;
}

}  // namespace

std::optional<TVATList> ReadVATList(std::istream& in) {
  const std::size_t line_count = CountLines(in);
  // Nothing of a line beyond the entry's text is ever used.
  TFileLineReader lines(in, kTextStart + kTextLimit);
  std::string line;
  if (!lines.Next(line)) return std::nullopt;
  const TKindName* kind = KindNameOf(line);
  if (!kind) return std::nullopt;

  TVATList list{kind->Kind, {}};
  if (line_count > kind->HeaderLines) list.Entries.reserve(line_count - kind->HeaderLines);
  for (std::size_t header = 1; header < kind->HeaderLines; ++header) lines.Next(line);
  while (lines.Next(line)) {
    tVATSubject entry;
    entry.Number = StrToInt64(KeyChars(line));
    if (line.size() > kTextStart) entry.Text = line.substr(kTextStart, kTextLimit);
    list.Entries.push_back(std::move(entry));
  }
  // Only whether a number is in the list matters, so equal numbers need not keep their order.
  std::sort(list.Entries.begin(), list.Entries.end(),
            [](const tVATSubject& a, const tVATSubject& b) { return a.Number < b.Number; });
  return list;
}

std::optional<TVATList> LoadVATList(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) {
    if (errno == ENOENT) throw EInOutError("File not found");
    if (errno == EACCES) throw EInOutError("File access denied");
    throw EInOutError("Cannot open file \"" + platform::Utf8ToCp1250(fileName) + "\"");
  }
  return ReadVATList(in);
}

bool VATsearch(const std::vector<tVATSubject>& list, std::int64_t key) {
  std::ptrdiff_t low = 0;
  std::ptrdiff_t high = static_cast<std::ptrdiff_t>(list.size()) - 1;
  while (low <= high) {
    const std::ptrdiff_t middle = low + (high - low) / 2;
    if (list[middle].Number == key) return true;
    if (list[middle].Number < key)
      low = middle + 1;
    else
      high = middle - 1;
  }
  return false;
}

std::optional<std::int64_t> VATIdKey(std::string_view vatId) {
  return TryStrToInt64(KeyChars(vatId));
}

}  // namespace app
