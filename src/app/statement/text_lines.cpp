#include "app/statement/text_lines.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "app/statement/file_errors.h"
#include "app/statement/replace_file.h"
#include "platform/text_codec.h"

namespace app {
namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string LinesToUtf8(const TTextLines& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return platform::Cp1250ToUtf8(text);
}

std::string FileNameWithExtension(const std::string& chosenName, std::string_view extension) {
  const bool hasIt =
      chosenName.size() >= extension.size() &&
      std::equal(extension.begin(), extension.end(), chosenName.end() - extension.size(),
                 [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
  return hasIt ? chosenName : chosenName + std::string(extension);
}

void WriteFileBytes(const std::string& fileName, std::string_view bytes) {
  const auto failure = ReplaceFileContents(fileName, bytes);
  if (!failure) return;
  const std::string name = platform::Utf8ToCp1250(fileName);
  if (failure->Creating)
    throw EFCreateError("Cannot create file \"" + name + "\". " + std::strerror(failure->Error));
  const bool full = failure->Error == ENOSPC || failure->Error == EDQUOT;
  throw EWriteError("Cannot write file \"" + name +
                    "\": " + (full ? "disk full" : std::strerror(failure->Error)) + ".");
}

std::string SaveTextLines(const TTextLines& lines, const std::string& chosenName,
                          std::string_view extension) {
  const std::string file_name = FileNameWithExtension(chosenName, extension);
  WriteFileBytes(file_name, LinesToUtf8(lines));
  return file_name;
}

}  // namespace app
