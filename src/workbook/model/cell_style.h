#pragma once
// How a cell, row, column or sheet default looks. Fonts and borders are shared through the
// workbook's registries by index; a style being edited works on a private copy until it is
// consolidated, so a million cells need not carry a million fonts. Small and cheap to copy.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "workbook/model/cell_borders.h"
#include "workbook/model/font.h"

namespace workbook {

class TExportCell;
class TWorkbookRegistries;

class TExportCellStyle final {
 public:
  // Horizontal alignment.
  static constexpr std::uint8_t haGeneral = 0, haLeft = 1, haCenter = 2, haRight = 3, haFill = 4,
                                haJustify = 5;
  // Vertical alignment; vaDefault is written as bottom.
  static constexpr std::uint8_t vaDefault = 0, vaTop = 1, vaCenter = 2, vaBottom = 3, vaJustify = 4,
                                vaDistributed = 5;
  // Protection flags.
  static constexpr std::uint8_t cpLocked = 1, cpHidden = 2;

  // Parent is the workbook owning the registries; nullptr raises EWorkbookException.
  explicit TExportCellStyle(TWorkbookRegistries* aParent);
  // Copies are exact, the workbook included; Assign copies into a style of another workbook.
  TExportCellStyle(const TExportCellStyle& other);
  TExportCellStyle& operator=(const TExportCellStyle& other);
  ~TExportCellStyle();

  // Resets every field (vertical alignment to default, not top) and drops the private copies.
  void Clear();
  // Copies Source's fields, font and borders. Within one workbook the registry indexes are shared;
  // from another workbook the font and borders become private copies.
  void Assign(const TExportCellStyle& source);

  TWorkbookRegistries* GetParent() const;

  std::uint8_t GetAlignment() const { return alignment_; }
  void SetAlignment(std::uint8_t value) { alignment_ = value; }
  std::uint8_t GetIndent() const { return indent_; }
  // An indent on a general-aligned style makes it left-aligned.
  void SetIndent(std::uint8_t value);
  std::uint8_t GetVAlignment() const { return vAlignment_; }
  void SetVAlignment(std::uint8_t value) { vAlignment_ = value; }
  bool GetWrapText() const { return wrapText_; }
  void SetWrapText(bool value) { wrapText_ = value; }
  TColor GetBGColor() const { return bgColor_; }
  void SetBGColor(TColor value) { bgColor_ = value; }
  // 0 normal, 1 stacked; stacking clears the rotation.
  std::uint8_t GetVerticalText() const { return verticalText_; }
  void SetVerticalText(std::uint8_t value);
  // Degrees -90..90; a rotation clears the stacking.
  std::int8_t GetRotation() const { return rotation_; }
  void SetRotation(std::int8_t value);
  std::uint8_t GetProtection() const { return protection_; }
  void SetProtection(std::uint8_t value) { protection_ = value; }

  // Registry indexes; setting one drops the private copy it would be hidden behind.
  std::int32_t GetFontIndex() const { return fontIndex_; }
  void SetFontIndex(std::int32_t index);
  std::int32_t GetBordersIndex() const { return bordersIndex_; }
  void SetBordersIndex(std::int32_t index);

  // The private font when present, else the registry entry at FontIndex; an index outside the
  // registry gives the workbook's default font.
  const TExportFont& GetFont() const;
  TExportFont& GetFontForWrite();
  // The private borders when present, else the registry entry at BordersIndex; an index outside
  // the registry gives the empty border set.
  const TExportCellBorders& GetBorders() const;
  TExportCellBorders& GetBordersForWrite();

  bool HasOwnFont() const { return Own() != nullptr && Own()->Font; }
  bool HasOwnBorders() const { return Own() != nullptr && Own()->Borders; }
  void EnsureOwnFont();
  void EnsureOwnBorders();
  // Moves a private copy into its registry (an equal entry is reused) and frees it.
  void StoreOwnFont();
  void StoreOwnBorders();
  void Consolidate();
  void FreeOwnFont();
  void FreeOwnBorders();

  // Consolidates, then "Alignment;Indent;VAlignment;Wrap;BGColor;Rotation;VerticalText;FontIndex;
  // BordersIndex;Protection" followed directly by the cell's number-format code (empty without a
  // cell).
  std::u16string GetKeyString(std::u16string_view formatCode = {});
  // The same with Cell's number-format code (TExportCell::GetFormatCode); cell may be nullptr.
  std::u16string GetKeyString(const TExportCell* cell);
  // GetKeyString followed directly by the key of the cell's conditional formatting (empty when it
  // has none).
  std::u16string GetODSKeyString(std::u16string_view formatCode,
                                 std::u16string_view conditionalFormattingKey);

 private:
  // Alignment, colour, rotation and protection: the values that need no registry.
  void CopyLook(const TExportCellStyle& source);
  // The private copies exist only while a style is being changed; they carry the workbook, so a
  // style needs one pointer for both.
  struct TOwnCopies {
    TWorkbookRegistries* Parent;
    std::unique_ptr<TExportFont> Font;
    std::unique_ptr<TExportCellBorders> Borders;
  };
  static constexpr std::uintptr_t kOwnCopiesTag = 1;

  TOwnCopies* Own() const {
    return (link_ & kOwnCopiesTag) != 0 ? reinterpret_cast<TOwnCopies*>(link_ & ~kOwnCopiesTag)
                                        : nullptr;
  }
  TOwnCopies& MakeOwn();
  void DropEmptyOwnCopies();
  void DropOwnCopies();

  // The workbook, or (low bit set) the private copies, which hold the workbook.
  std::uintptr_t link_;
  std::int32_t fontIndex_ = 0;
  std::int32_t bordersIndex_ = 0;
  TColor bgColor_ = clNone;
  std::uint8_t alignment_ = haGeneral;
  std::uint8_t indent_ = 0;
  std::uint8_t vAlignment_ = vaTop;
  bool wrapText_ = false;
  std::uint8_t verticalText_ = 0;
  std::int8_t rotation_ = 0;
  std::uint8_t protection_ = cpLocked;
};

}  // namespace workbook
