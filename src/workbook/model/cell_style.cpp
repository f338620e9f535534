#include "workbook/model/cell_style.h"

#include "workbook/core/exceptions.h"
#include "workbook/model/key_text.h"
#include "workbook/model/workbook_registries.h"

namespace workbook {

namespace {
const TExportCellBorders kEmptyBorders;
}  // namespace

TExportCellStyle::TExportCellStyle(TWorkbookRegistries* aParent) : parent_(aParent) {
  if (aParent == nullptr) {
    throw EWorkbookException(u"TExportCellStyle.Create: aParent can't be nil");
  }
}

TExportCellStyle::TExportCellStyle(const TExportCellStyle& other)
    : parent_(other.parent_),
      fontIndex_(other.fontIndex_),
      bordersIndex_(other.bordersIndex_),
      bgColor_(other.bgColor_),
      alignment_(other.alignment_),
      indent_(other.indent_),
      vAlignment_(other.vAlignment_),
      wrapText_(other.wrapText_),
      verticalText_(other.verticalText_),
      rotation_(other.rotation_),
      protection_(other.protection_) {
  if (other.own_) {
    own_ = std::make_unique<TOwnCopies>();
    if (other.own_->Font) own_->Font = std::make_unique<TExportFont>(*other.own_->Font);
    if (other.own_->Borders) {
      own_->Borders = std::make_unique<TExportCellBorders>(*other.own_->Borders);
    }
  }
}

TExportCellStyle& TExportCellStyle::operator=(const TExportCellStyle& other) {
  if (this != &other) {
    TExportCellStyle copy(other);
    parent_ = copy.parent_;
    own_ = std::move(copy.own_);
    fontIndex_ = copy.fontIndex_;
    bordersIndex_ = copy.bordersIndex_;
    bgColor_ = copy.bgColor_;
    alignment_ = copy.alignment_;
    indent_ = copy.indent_;
    vAlignment_ = copy.vAlignment_;
    wrapText_ = copy.wrapText_;
    verticalText_ = copy.verticalText_;
    rotation_ = copy.rotation_;
    protection_ = copy.protection_;
  }
  return *this;
}

TExportCellStyle::~TExportCellStyle() = default;

void TExportCellStyle::Clear() {
  alignment_ = haGeneral;
  vAlignment_ = vaDefault;
  indent_ = 0;
  wrapText_ = false;
  bgColor_ = kStyleColorNone;
  verticalText_ = 0;
  rotation_ = 0;
  protection_ = cpLocked;
  own_.reset();
  bordersIndex_ = 0;
  fontIndex_ = 0;
}

void TExportCellStyle::Assign(const TExportCellStyle& source) {
  if (this == &source) return;
  if (source.parent_ == parent_) {
    *this = source;
    return;
  }
  // Another workbook's indexes mean nothing here: take the values themselves.
  alignment_ = source.alignment_;
  indent_ = source.indent_;
  vAlignment_ = source.vAlignment_;
  wrapText_ = source.wrapText_;
  bgColor_ = source.bgColor_;
  verticalText_ = source.verticalText_;
  rotation_ = source.rotation_;
  protection_ = source.protection_;
  GetFontForWrite() = source.GetFont();
  GetBordersForWrite() = source.GetBorders();
}

void TExportCellStyle::SetIndent(std::uint8_t value) {
  indent_ = value;
  if (value > 0 && alignment_ == haGeneral) alignment_ = haLeft;
}

void TExportCellStyle::SetVerticalText(std::uint8_t value) {
  verticalText_ = value;
  if (value == 1) rotation_ = 0;
}

void TExportCellStyle::SetRotation(std::int8_t value) {
  rotation_ = value;
  if (value != 0) verticalText_ = 0;
}

void TExportCellStyle::SetFontIndex(std::int32_t index) {
  FreeOwnFont();
  fontIndex_ = index;
}

void TExportCellStyle::SetBordersIndex(std::int32_t index) {
  FreeOwnBorders();
  bordersIndex_ = index;
}

const TExportFont& TExportCellStyle::GetFont() const {
  if (HasOwnFont()) return *own_->Font;
  if (const TExportFont* font = parent_->FontList.GetItem(fontIndex_)) return *font;
  return parent_->GetDefaultFont();
}

TExportFont& TExportCellStyle::GetFontForWrite() {
  EnsureOwnFont();
  return *own_->Font;
}

const TExportCellBorders& TExportCellStyle::GetBorders() const {
  if (HasOwnBorders()) return *own_->Borders;
  if (const TExportCellBorders* borders = parent_->BordersList.GetItem(bordersIndex_)) {
    return *borders;
  }
  return kEmptyBorders;
}

TExportCellBorders& TExportCellStyle::GetBordersForWrite() {
  EnsureOwnBorders();
  return *own_->Borders;
}

void TExportCellStyle::EnsureOwnFont() {
  if (HasOwnFont()) return;
  if (!own_) own_ = std::make_unique<TOwnCopies>();
  own_->Font = std::make_unique<TExportFont>(GetFont());
}

void TExportCellStyle::EnsureOwnBorders() {
  if (HasOwnBorders()) return;
  if (!own_) own_ = std::make_unique<TOwnCopies>();
  own_->Borders = std::make_unique<TExportCellBorders>(GetBorders());
}

void TExportCellStyle::StoreOwnFont() {
  if (!HasOwnFont()) return;
  fontIndex_ = parent_->FontList.Add(*own_->Font);
  FreeOwnFont();
}

void TExportCellStyle::StoreOwnBorders() {
  if (!HasOwnBorders()) return;
  bordersIndex_ = parent_->BordersList.Add(*own_->Borders);
  FreeOwnBorders();
}

void TExportCellStyle::Consolidate() {
  StoreOwnFont();
  StoreOwnBorders();
}

void TExportCellStyle::FreeOwnFont() {
  if (!own_) return;
  own_->Font.reset();
  DropEmptyOwnCopies();
}

void TExportCellStyle::FreeOwnBorders() {
  if (!own_) return;
  own_->Borders.reset();
  DropEmptyOwnCopies();
}

void TExportCellStyle::DropEmptyOwnCopies() {
  if (own_ && !own_->Font && !own_->Borders) own_.reset();
}

std::u16string TExportCellStyle::GetKeyString(std::u16string_view formatCode) {
  Consolidate();
  std::u16string key;
  key.reserve(40 + formatCode.size());
  const std::int64_t fields[] = {alignment_,    indent_,    vAlignment_,   wrapText_ ? 1 : 0,
                                 bgColor_,      rotation_,  verticalText_, fontIndex_,
                                 bordersIndex_, protection_};
  for (std::int64_t value : fields) {
    if (!key.empty()) key += u';';
    AppendKeyInt(key, value);
  }
  key += formatCode;
  return key;
}

std::u16string TExportCellStyle::GetODSKeyString(std::u16string_view formatCode,
                                                 std::u16string_view conditionalFormattingKey) {
  std::u16string key = GetKeyString(formatCode);
  key += conditionalFormattingKey;
  return key;
}

}  // namespace workbook
