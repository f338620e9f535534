#include "app/statement/text_lines.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/statement/file_errors.h"
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
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file(std::fopen(fileName.c_str(), "wb"));
  if (!file)
    throw EFCreateError("Cannot create file \"" + platform::Utf8ToCp1250(fileName) + "\". " +
                        std::strerror(errno));
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
      std::fflush(file.get()) != 0)
    throw EWriteError("Stream write error");
  if (std::fclose(file.release()) != 0) throw EWriteError("Stream write error");
}

std::string SaveTextLines(const TTextLines& lines, const std::string& chosenName,
                          std::string_view extension) {
  const std::string file_name = FileNameWithExtension(chosenName, extension);
  WriteFileBytes(file_name, LinesToUtf8(lines));
  return file_name;
}

}  // namespace app
