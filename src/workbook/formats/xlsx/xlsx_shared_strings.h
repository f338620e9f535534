#pragma once
// TXLSXSharedStrings_Import: the shared strings of an XLSX package ("xl/sharedStrings.xml"). While
// the part is inflated only the bounds of its si items are found and their bytes kept; an item is
// parsed the first time a cell asks for it, and its text and runs are kept from then on, so a
// table whose strings are mostly unused costs little more than its bytes.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "workbook/core/stream.h"
#include "workbook/formats/xlsx/xlsx_rich_string.h"
#include "workbook/model/packed_text.h"

namespace workbook {

class TWorkbook;
class TZipArchive;

class TXLSXSharedStrings_Import {
 public:
  TXLSXSharedStrings_Import();
  ~TXLSXSharedStrings_Import();

  // Reads the part at entry of zip, finding its items as it inflates; progress through the
  // workbook.
  void ReadXLSX(TZipArchive& zip, int entry, TWorkbook& workbook, const TXLSXColorSources& colors);
  // The same in steps: Begin, then the part's bytes written to Scanner() (partSize of them, the
  // measure of progress), then Finish. A part that ends inside an element, or holds a document
  // type declaration, raises EXmlError.
  void Begin(TWorkbook& workbook, const TXLSXColorSources& colors, std::int64_t partSize);
  TStream& Scanner();
  void Finish();

  std::size_t Count() const { return items_.size(); }
  // The text at index (CR LF between lines, "_xHHHH_" escapes decoded), for cells to share;
  // empty outside. Malformed XML in the item raises EXmlError.
  const TPackedText& GetString(std::size_t index);
  // The runs of the string at index, nullptr when it has none.
  const TXLSXRichTextRuns* GetRuns(std::size_t index);

 private:
  class TScanner;
  class TParser;

  // An item's bytes, kept until it is parsed: the whole element, or for a plain item (one t
  // child of plain text, as most are) only that text. Start counts among all items' bytes.
  // Items are many: eight bytes each.
  struct TItem {
    std::uint32_t Start = 0;
    std::uint32_t Size : 29 = 0;
    std::uint32_t Plain : 1 = 0;
    std::uint32_t Parsed : 1 = 0;
    std::uint32_t HasRuns : 1 = 0;
  };

  // Items' bytes in blocks of about kBlockSize, each freed once its items are parsed: cells
  // mostly ask for items in table order (writers number them as they first use them), so the
  // table's bytes go while the sheets are read.
  struct TBlock {
    std::uint64_t Start = 0;
    std::string Bytes;
    std::uint32_t Unparsed = 0;  // items of one byte or more not parsed yet
  };

  void Keep(TItem& item, std::string_view bytes);
  TBlock& BlockOf(const TItem& item);
  void Parse(std::size_t index);
  // An item's element, parsed as XML.
  void ParseElement(std::size_t index, std::string_view bytes, std::u16string& text,
                    TXLSXRichTextRuns& runs);

  std::unique_ptr<TScanner> scanner_;
  std::unique_ptr<TParser> parser_;
  TWorkbook* workbook_ = nullptr;
  TXLSXColorSources colors_;
  // The part up to the end of its root's start tag: what every item is parsed after.
  std::string prolog_;
  std::vector<TBlock> blocks_;
  std::uint64_t kept_ = 0;  // bytes kept in all blocks, freed ones included
  std::vector<TItem> items_;
  std::vector<TPackedText> texts_;
  // Room for the item being parsed, kept from item to item.
  std::u16string text_;
  std::unordered_map<std::size_t, TXLSXRichTextRuns> runs_;
};

}  // namespace workbook
