#pragma once
// TXLSXSharedStrings_Export: the shared-string table of an XLSX export. Each entry is the complete
// content of one si element; equal contents share one index.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "workbook/core/string_table.h"
#include "workbook/model/packed_text.h"

namespace workbook {

class TZipArchive;
class TWorkbook;
class TExportCellString;

class TXLSXSharedStrings_Export {
 public:
  std::uint32_t Add(std::string content);
  // The index of a string cell's entry. A plain text many cells share is built and looked up
  // once: later cells find it by its characters' address. A text no other holder shares is
  // looked up by its content each time.
  std::uint32_t AddCell(const TExportCellString& cell);
  std::size_t Count() const { return static_cast<std::size_t>(entries_.Count()); }
  bool Empty() const { return entries_.Count() == 0; }

  // "xl/sharedStrings.xml", streamed in parts of 10,000 entries (through the compression wrapper
  // when compress is set); progress through workbook.
  void WriteXLSX(TZipArchive& zip, bool compress, TWorkbook& workbook) const;

  // The si content of a string cell: one t element, or r runs for rich text. Line breaks are
  // written as LF.
  std::string BuildEntry(const TExportCellString& cell);

 private:
  TByteStringTable entries_;
  // Plain texts by their identity; the texts are kept, so no identity is reused by another text
  // while the table lives (rows written by event are freed as they go).
  std::unordered_map<const void*, std::uint32_t> byText_;
  std::vector<TPackedText> texts_;
  std::u16string scratch_;  // a one-byte text's characters widened
};

}  // namespace workbook
