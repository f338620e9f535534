#include "workbook/model/sheet_names.h"

#include <set>
#include <string>

#include "platform/text_codec.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/sheet_refs.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

constexpr std::size_t kMaxSheetName = 31;
constexpr std::u16string_view kForbidden = u"[]:*?/\\";

std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// The name cut to limit units, without a high surrogate left alone at the end.
std::u16string Cut(std::u16string name, std::size_t limit) {
  if (name.size() <= limit) return name;
  name.resize(limit);
  if (platform::IsHighSurrogate(name.back())) name.pop_back();
  return name;
}

}  // namespace

std::vector<std::u16string> WritableSheetNames(const TExportWorkSheets& sheets) {
  std::vector<std::u16string> names;
  std::set<std::u16string> used;
  for (int i = 0; i < sheets.Count(); ++i) {
    std::u16string base = Cut(sheets.GetItem(i)->Name, kMaxSheetName);
    for (char16_t& c : base)
      if (kForbidden.find(c) != std::u16string_view::npos) c = u'-';
    if (!base.empty() && base.front() == u'\'') base.front() = u'-';
    if (!base.empty() && base.back() == u'\'') base.back() = u'-';
    if (base.find_first_not_of(u' ') == std::u16string::npos)
      base = Ascii("Sheet" + std::to_string(i + 1));
    std::u16string name = base;
    for (int n = 2; used.count(LowerAscii(name)) != 0; ++n) {
      const std::u16string suffix = Ascii(" (" + std::to_string(n) + ")");
      name = Cut(base, kMaxSheetName - suffix.size()) + suffix;
    }
    used.insert(LowerAscii(name));
    names.push_back(name);
  }
  return names;
}

std::u16string RenameSheetInRefs(std::u16string_view references, std::u16string_view from,
                                 std::u16string_view to) {
  const std::u16string oldPrefix = u"'" + QuoteSheetName(from, true) + u"'!";
  const std::u16string newPrefix = u"'" + QuoteSheetName(to, true) + u"'!";
  std::u16string result;
  bool pieceStart = true;
  bool quoted = false;
  for (std::size_t i = 0; i < references.size();) {
    if (pieceStart && references.substr(i, oldPrefix.size()) == oldPrefix) {
      result += newPrefix;
      i += oldPrefix.size();
      pieceStart = false;
      continue;
    }
    const char16_t c = references[i++];
    result += c;
    // Doubled quotes inside a quoted name toggle twice and change nothing.
    if (c == u'\'') quoted = !quoted;
    pieceStart = c == u',' && !quoted;
  }
  return result;
}

}  // namespace workbook
