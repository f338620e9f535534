#include "workbook/core/path_utils.h"

namespace workbook {

namespace {

constexpr std::u16string_view kSeparators = u"\\/:";

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

}  // namespace

std::string CombineRelativePath(std::string_view basePath, std::string_view relativePath,
                                char delimiter, std::string_view driveCheck) {
  const bool noDriveCheck = driveCheck.empty() || driveCheck == std::string_view("\0", 1);
  if (!noDriveCheck && relativePath.find(':') != std::string_view::npos)
    return std::string(relativePath);
  if (noDriveCheck && !relativePath.empty() && relativePath.front() == delimiter)
    return std::string(relativePath.substr(1));

  std::string result(basePath);
  if (result.empty() || result.back() != delimiter) result += delimiter;

  std::size_t start = 0;
  for (std::size_t end = relativePath.find(delimiter); end != std::string_view::npos;
       start = end + 1, end = relativePath.find(delimiter, start)) {
    std::string_view segment = relativePath.substr(start, end - start);
    if (segment.empty() || segment == ".") continue;
    if (segment == "..") {
      // Back to just after the delimiter before the last one; the last one ends Result.
      std::size_t cut = result.size() >= 2 ? result.find_last_of(delimiter, result.size() - 2)
                                           : std::string::npos;
      result.erase(cut == std::string::npos ? 0 : cut + 1);
      continue;
    }
    result.append(segment);
    result += delimiter;
  }
  result.append(relativePath.substr(start));
  return result;
}

std::u16string ReplaceInvalidFileNameChars(std::u16string_view text, char16_t replacement) {
  constexpr std::u16string_view kInvalid = u"\\/:*?\"<>|";
  std::u16string result(text);
  for (char16_t& c : result)
    if (kInvalid.find(c) != std::u16string_view::npos) c = replacement;
  return result;
}

std::u16string NormalizePathDelimiters(std::u16string_view path, bool includeTrailing,
                                       char16_t delimiter) {
  std::u16string result(path);
  if (result.empty()) return result;
  if (includeTrailing) {
    if (!IsSeparator(result.back())) result += delimiter;
  } else if (IsSeparator(result.back())) {
    result.pop_back();
  }
  for (char16_t& c : result)
    if (IsSeparator(c)) c = delimiter;
  return result;
}

int LastDelimiterW(std::u16string_view delimiters, std::u16string_view text) {
  std::size_t pos = text.find_last_of(delimiters);
  return pos == std::u16string_view::npos ? 0 : static_cast<int>(pos) + 1;
}

std::u16string ExtractFileNameWithoutExt(std::u16string_view path) {
  std::u16string_view name =
      path.substr(static_cast<std::size_t>(LastDelimiterW(kSeparators, path)));
  std::size_t dot = name.rfind(u'.');
  return std::u16string(dot == std::u16string_view::npos ? name : name.substr(0, dot));
}

std::u16string ExtractFileExtWithoutDot(std::u16string_view path) {
  std::u16string_view name =
      path.substr(static_cast<std::size_t>(LastDelimiterW(kSeparators, path)));
  std::size_t dot = name.rfind(u'.');
  return dot == std::u16string_view::npos ? std::u16string() : std::u16string(name.substr(dot + 1));
}

}  // namespace workbook
