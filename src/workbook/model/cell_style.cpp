#include "workbook/model/cell_style.h"

#include "workbook/core/exceptions.h"
#include "workbook/model/key_text.h"
#include "workbook/model/workbook_registries.h"

namespace workbook {

namespace {
const TExportCellBorders kEmptyBorders;
}  // namespace

TExportCellStyle::TExportCellStyle(TWorkbookRegistries* aParent)
    : link_(reinterpret_cast<std::uintptr_t>(aParent)) {
  if (aParent == nullptr) {
    throw EWorkbookException(u"TExportCellStyle.Create: aParent can't be nil");
  }
}

TExportCellStyle::TExportCellStyle(const TExportCellStyle& other)
    : link_(reinterpret_cast<std::uintptr_t>(other.GetParent())),
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
  if (const TOwnCopies* source = other.Own()) {
    TOwnCopies& own = MakeOwn();
    if (source->Font) own.Font = std::make_unique<TExportFont>(*source->Font);
    if (source->Borders) own.Borders = std::make_unique<TExportCellBorders>(*source->Borders);
  }
}

TExportCellStyle& TExportCellStyle::operator=(const TExportCellStyle& other) {
  if (this != &other) {
    TExportCellStyle copy(other);
    std::swap(link_, copy.link_);
    fontIndex_ = copy.fontIndex_;
    bordersIndex_ = copy.bordersIndex_;
    CopyLook(copy);
  }
  return *this;
}

void TExportCellStyle::CopyLook(const TExportCellStyle& source) {
  bgColor_ = source.bgColor_;
  alignment_ = source.alignment_;
  indent_ = source.indent_;
  vAlignment_ = source.vAlignment_;
  wrapText_ = source.wrapText_;
  verticalText_ = source.verticalText_;
  rotation_ = source.rotation_;
  protection_ = source.protection_;
}

TExportCellStyle::~TExportCellStyle() { DropOwnCopies(); }

TWorkbookRegistries* TExportCellStyle::GetParent() const {
  if (const TOwnCopies* own = Own()) return own->Parent;
  return reinterpret_cast<TWorkbookRegistries*>(link_);
}

TExportCellStyle::TOwnCopies& TExportCellStyle::MakeOwn() {
  if (TOwnCopies* own = Own()) return *own;
  auto* own = new TOwnCopies{GetParent(), nullptr, nullptr};
  link_ = reinterpret_cast<std::uintptr_t>(own) | kOwnCopiesTag;
  return *own;
}

void TExportCellStyle::DropOwnCopies() {
  if (TOwnCopies* own = Own()) {
    link_ = reinterpret_cast<std::uintptr_t>(own->Parent);
    delete own;
  }
}

void TExportCellStyle::DropEmptyOwnCopies() {
  const TOwnCopies* own = Own();
  if (own != nullptr && !own->Font && !own->Borders) DropOwnCopies();
}

void TExportCellStyle::Clear() {
  alignment_ = haGeneral;
  vAlignment_ = vaDefault;
  indent_ = 0;
  wrapText_ = false;
  bgColor_ = clNone;
  verticalText_ = 0;
  rotation_ = 0;
  protection_ = cpLocked;
  DropOwnCopies();
  bordersIndex_ = 0;
  fontIndex_ = 0;
}

void TExportCellStyle::Assign(const TExportCellStyle& source) {
  if (this == &source) return;
  if (source.GetParent() == GetParent()) {
    *this = source;
    return;
  }
  // Another workbook's indexes mean nothing here: take the values themselves.
  CopyLook(source);
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
  if (HasOwnFont()) return *Own()->Font;
  const TWorkbookRegistries& parent = *GetParent();
  if (const TExportFont* font = parent.FontList.GetItem(fontIndex_)) return *font;
  return parent.GetDefaultFont();
}

TExportFont& TExportCellStyle::GetFontForWrite() {
  EnsureOwnFont();
  return *Own()->Font;
}

const TExportCellBorders& TExportCellStyle::GetBorders() const {
  if (HasOwnBorders()) return *Own()->Borders;
  if (const TExportCellBorders* borders = GetParent()->BordersList.GetItem(bordersIndex_)) {
    return *borders;
  }
  return kEmptyBorders;
}

TExportCellBorders& TExportCellStyle::GetBordersForWrite() {
  EnsureOwnBorders();
  return *Own()->Borders;
}

void TExportCellStyle::EnsureOwnFont() {
  if (HasOwnFont()) return;
  auto font = std::make_unique<TExportFont>(GetFont());
  MakeOwn().Font = std::move(font);
}

void TExportCellStyle::EnsureOwnBorders() {
  if (HasOwnBorders()) return;
  auto borders = std::make_unique<TExportCellBorders>(GetBorders());
  MakeOwn().Borders = std::move(borders);
}

void TExportCellStyle::StoreOwnFont() {
  if (!HasOwnFont()) return;
  fontIndex_ = GetParent()->FontList.Add(*Own()->Font);
  FreeOwnFont();
}

void TExportCellStyle::StoreOwnBorders() {
  if (!HasOwnBorders()) return;
  bordersIndex_ = GetParent()->BordersList.Add(*Own()->Borders);
  FreeOwnBorders();
}

void TExportCellStyle::Consolidate() {
  StoreOwnFont();
  StoreOwnBorders();
}

void TExportCellStyle::FreeOwnFont() {
  if (TOwnCopies* own = Own()) own->Font.reset();
  DropEmptyOwnCopies();
}

void TExportCellStyle::FreeOwnBorders() {
  if (TOwnCopies* own = Own()) own->Borders.reset();
  DropEmptyOwnCopies();
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

}  // namespace workbook
