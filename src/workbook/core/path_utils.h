#pragma once
// Path routines for zip entry names, package-relative targets and file names. Both "\" and "/"
// separate path segments, so names written on either platform split the same way.
#include <string>
#include <string_view>

namespace workbook {

// Resolves relativePath against basePath with delimiter between segments: "." segments vanish,
// ".." climbs one segment, a leading delimiter (without driveCheck) makes the target
// root-relative, and with driveCheck a target holding ":" is taken as it is.
std::string CombineRelativePath(std::string_view basePath, std::string_view relativePath,
                                char delimiter, std::string_view driveCheck);

// Every character that a file name cannot hold (\ / : * ? " < > |) becomes replacement.
std::u16string ReplaceInvalidFileNameChars(std::u16string_view text, char16_t replacement);

// Adds (includeTrailing) or drops one trailing separator, then makes every separator delimiter.
std::u16string NormalizePathDelimiters(std::u16string_view path, bool includeTrailing,
                                       char16_t delimiter);

// 1-based position of the last character of text found in delimiters; 0 when none.
int LastDelimiterW(std::u16string_view delimiters, std::u16string_view text);

// The file-name part of path without its extension.
std::u16string ExtractFileNameWithoutExt(std::u16string_view path);

// The extension of Path's file name without its dot; empty when there is none.
std::u16string ExtractFileExtWithoutDot(std::u16string_view path);

}  // namespace workbook
