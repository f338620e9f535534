#pragma once
// TXLSXSharedStrings_Import: the shared strings of an XLSX package ("xl/sharedStrings.xml"), read
// with the sequential reader one si element at a time, each with its text and rich-text runs.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "workbook/core/stream.h"
#include "workbook/model/font.h"
#include "workbook/model/packed_text.h"

namespace workbook {

class TXmlReader;
class TWorkbook;
class IThemeColors;
class IColorPalette;

// A run of a rich text: from the 1-based character Position on, the text is in Font.
struct TXLSXRichTextRun {
  int Position = 1;
  TExportFont Font;
};
using TXLSXRichTextRuns = std::vector<TXLSXRichTextRun>;

// The colour sources of rich-text run fonts.
struct TXLSXColorSources {
  const IThemeColors* Theme = nullptr;
  const IColorPalette* Palette = nullptr;
};

// Reads the si, is or comment text element the reader stands on, to its end: the text of its t
// children and of the t of its r runs (phonetic runs add nothing). Runs begin at every r that is
// not the first child or has an rPr. Line breaks come as LF.
void ReadXLSXRichString(TXmlReader& reader, const TXLSXColorSources& colors, std::u16string& text,
                        TXLSXRichTextRuns* runs);

class TXLSXSharedStrings_Import {
 public:
  // Reads the part; progress through the workbook. Malformed XML raises EXmlError.
  void ReadXLSX(TStream& part, TWorkbook& workbook, const TXLSXColorSources& colors);

  std::size_t Count() const { return texts_.size(); }
  // The text at Index (CR LF between lines, "_xHHHH_" escapes decoded); empty outside.
  std::u16string GetString(std::size_t index) const {
    return std::u16string(GetSharedText(index).View());
  }
  // The same, for cells to share.
  const TPackedText& GetSharedText(std::size_t index) const;
  // The runs of the string at Index, nullptr when it has none.
  const TXLSXRichTextRuns* GetRuns(std::size_t index) const;

 private:
  std::vector<TPackedText> texts_;
  std::unordered_map<std::size_t, TXLSXRichTextRuns> runs_;
};

}  // namespace workbook
