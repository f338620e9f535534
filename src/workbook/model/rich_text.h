#pragma once
// Rich text: parts of a string cell's or a comment's text in fonts of their own. Tags hold a font
// overlay from a 1-based character position on; for output the text is cut into runs, each with the
// font it is written in (BIFF8 run records and shared-string keys here, XLSX and ODS runs in the
// writers).
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "workbook/core/owned_list.h"
#include "workbook/model/font.h"
#include "workbook/model/font_list.h"

namespace workbook {

class TExportCell;
class TExportCellComment;
class TStringRichTextTags;

class TStringRichTextTag : public TOwnedListObject {
 public:
  TStringRichTextTag();

  std::int32_t Position = 1;  // first character (1-based) the tag applies to
  TExportFont Font;           // overlay: only what it sets changes the font below it

  // The run's font: a cell's fonts from the sheet default up (row, column, cell), or a comment's
  // font, then this overlay.
  void GetEffectiveFont(TExportFont& font) const;

  void AssignTo(TPersistent& dest) const override;
  std::unique_ptr<TOwnedListObject> NewInstance() const override;
};

class TStringRichTextTagTextList_Entry {
 public:
  const std::u16string& GetText() const { return Text; }
  void SetText(const std::u16string& text) { Text = text; }

  std::u16string Text;
  std::optional<TExportFont> Font;  // none: the text's base font
};

class TStringRichTextTagTextList {
 public:
  int Add(const std::u16string& text, const TExportFont* font);
  void Clear() { entries_.clear(); }
  int Count() const { return static_cast<int>(entries_.size()); }
  TStringRichTextTagTextList_Entry& GetEntry(int index) { return entries_.at(index); }
  const TStringRichTextTagTextList_Entry& GetEntry(int index) const { return entries_.at(index); }

  // BIFF8 runs (character index and BIFF font index, 16 bits each) of every entry but a leading
  // one in the base font; fonts are found or added in fontList.
  void WriteXLSRuns(std::vector<std::uint8_t>& runBuffer, const TExportFont& defaultFont,
                    TExportFontList& fontList) const;
  // The same runs as text, appended to the shared-string key so that equal texts in different
  // formatting stay apart.
  void GetKeyString(const TExportFont& defaultFont, std::u16string& key) const;

 private:
  std::vector<TStringRichTextTagTextList_Entry> entries_;
};

// The owner is the string cell or the comment whose text the tags format.
class TStringRichTextTags : public TOwnedListOf<TStringRichTextTag> {
 public:
  explicit TStringRichTextTags(TExportCell* owner);
  explicit TStringRichTextTags(TExportCellComment* owner);

  // The text's base font: a cell style's font or a comment's font; raises for any other owner.
  const TExportFont& GetDefaultFont() const;
  // The font registry of the workbook of the owning cell (or of the comment's cell); raises for
  // a list outside a workbook.
  TExportFontList& GetFontList() const;

  TStringRichTextTag* GetTag(int index) const { return GetItem(index); }
  TStringRichTextTag* AddTag(std::int32_t position, const TExportFont& font);
  // Orders the tags by position (equal positions keep their order).
  void Sort();
  // Replaces the tags by the runs of a BIFF8 rich string (4 bytes a run).
  void ReadXLSRuns(std::span<const std::uint8_t> runBuffer);
  // Cuts text into runs; the leading run (before the first tag) has no font unless positionedBase
  // is set and the base font is super- or subscript.
  void BuildTextList(std::u16string_view text, TStringRichTextTagTextList& textList,
                     bool positionedBase) const;

 private:
  TExportCell* OwnerCell() const;
  TExportCellComment* OwnerComment() const;
};

}  // namespace workbook
