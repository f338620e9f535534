#include "app/statement/vat_payer_list.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>

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

const TKindName* KindNameOf(std::string_view first_line) {
  for (const TKindName& kind : kKinds)
    if (first_line.starts_with(kind.Name)) return &kind;
  return nullptr;
}

std::string_view KeyChars(std::string_view line) {
  return line.substr(std::min<std::size_t>(2, line.size()), 10);
}

std::string ReadWholeFile(const std::string& file_name) {
  std::ifstream in(file_name, std::ios::binary);
  if (!in) {
    if (errno == ENOENT) throw EInOutError("File not found");
    if (errno == EACCES) throw EInOutError("File access denied");
    throw EInOutError("Cannot open file \"" + platform::Utf8ToCp1250(file_name) + "\"");
  }
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) throw EInOutError("Read error");
  return bytes;
}

}  // namespace

std::optional<TVATListKind> VATListKindOf(std::string_view first_line) {
  if (const TKindName* kind = KindNameOf(first_line)) return kind->Kind;
  return std::nullopt;
}

std::vector<std::string_view> SplitFileLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    if (end == std::string_view::npos) end = bytes.size();
    if (end > start && bytes[end - 1] == '\r' && end < bytes.size()) --end;
    lines.push_back(bytes.substr(start, end - start));
    start = next;
  }
  return lines;
}

std::optional<TVATList> ParseVATList(std::string_view bytes) {
  const std::vector<std::string_view> lines = SplitFileLines(bytes);
  if (lines.empty()) return std::nullopt;
  const TKindName* kind = KindNameOf(lines.front());
  if (!kind) return std::nullopt;

  TVATList list{kind->Kind, {}};
  if (lines.size() > kind->HeaderLines) list.Entries.reserve(lines.size() - kind->HeaderLines);
  for (std::size_t i = kind->HeaderLines; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    tVATSubject entry;
    entry.Number = StrToInt64(KeyChars(line));
    if (line.size() > kTextStart) entry.Text = std::string(line.substr(kTextStart, kTextLimit));
    list.Entries.push_back(std::move(entry));
  }
  std::stable_sort(list.Entries.begin(), list.Entries.end(),
                   [](const tVATSubject& a, const tVATSubject& b) { return a.Number < b.Number; });
  return list;
}

std::optional<TVATList> LoadVATList(const std::string& file_name) {
  return ParseVATList(ReadWholeFile(file_name));
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

std::optional<std::int64_t> VATIdKey(std::string_view vat_id) {
  return TryStrToInt64(KeyChars(vat_id));
}

}  // namespace app
