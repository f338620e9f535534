#pragma once
// TXLSXSharedStrings_Import: the shared strings of an XLSX package ("xl/sharedStrings.xml"), parsed
// while the part is inflated (never whole in memory), each si element with its text and runs.
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

class TXLSXSharedStrings_Import {
 public:
  TXLSXSharedStrings_Import();
  ~TXLSXSharedStrings_Import();

  // Reads the part from its position on; progress through the workbook. Malformed XML raises
  // EXmlError.
  void ReadXLSX(TStream& part, TWorkbook& workbook, const TXLSXColorSources& colors);
  // The same in steps: Begin, then the part's bytes written to Parser(), then Finish. Each si is
  // the text of its t children and of the t of its r runs (phonetic runs add nothing); a run
  // begins at every r that is not the first child or has an rPr.
  // partSize: the part's size in bytes, the measure of progress.
  void Begin(TWorkbook& workbook, const TXLSXColorSources& colors, std::int64_t partSize);
  TStream& Parser();
  void Finish();

  std::size_t Count() const { return texts_.size(); }
  // The text at index (CR LF between lines, "_xHHHH_" escapes decoded); empty outside.
  std::u16string GetString(std::size_t index) const {
    return std::u16string(GetSharedText(index).View());
  }
  // The same, for cells to share.
  const TPackedText& GetSharedText(std::size_t index) const;
  // The runs of the string at index, nullptr when it has none.
  const TXLSXRichTextRuns* GetRuns(std::size_t index) const;

 private:
  class TReader;
  friend class TReader;

  std::unique_ptr<TReader> reader_;
  std::vector<TPackedText> texts_;
  std::unordered_map<std::size_t, TXLSXRichTextRuns> runs_;
};

}  // namespace workbook
