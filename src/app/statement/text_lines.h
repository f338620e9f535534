#pragma once
// Every file the program writes is gathered as lines of its own Windows-1250 text and converted
// once on saving, so all of them share one form: CR LF endings and UTF-8 without a BOM.
#include <string>
#include <string_view>
#include <vector>

namespace app {

using TTextLines = std::vector<std::string>;

// The whole file's bytes: every line followed by CR LF, converted to UTF-8, no byte-order mark.
std::string LinesToUtf8(const TTextLines& lines);

// The save dialog's name with the extension (".xml", ".txt", ".csv") appended, unless the name
// ends in it already (in any letter case): a typed "x.xml" is saved as x.xml, not x.xml.xml.
std::string FileNameWithExtension(const std::string& chosenName, std::string_view extension);

// Writes the bytes, replacing an existing file only once they are all written (see
// ReplaceFileContents), so a failed save leaves the old file whole; raises EFCreateError when the
// file cannot be created (a read-only file is not replaced) and EWriteError, naming the file,
// when it cannot be written completely ("disk full" when the disk is).
void WriteFileBytes(const std::string& fileName, std::string_view bytes);

// LinesToUtf8 written to FileNameWithExtension; returns the name written.
std::string SaveTextLines(const TTextLines& lines, const std::string& chosenName,
                          std::string_view extension);

}  // namespace app
