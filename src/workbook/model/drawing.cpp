#include "workbook/model/drawing.h"

#include <algorithm>
#include <cctype>

#include "workbook/core/exceptions.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/library_texts.h"
#include "workbook/core/path_utils.h"
#include "workbook/model/cell.h"
#include "workbook/model/workbook.h"

namespace workbook {

// --- TExportDrawing ---

void TExportDrawing::AssignTo(TPersistent& dest) const {
  if (auto* drawing = dynamic_cast<TExportDrawing*>(&dest)) {
    drawing->KeyName = KeyName;
    drawing->Name = Name;
    return;
  }
  TOwnedListObject::AssignTo(dest);
}

void TExportDrawing::DoDestroy() {
  for (TExportCellDrawing* ref : References) ref->drawing_ = nullptr;
  References.clear();
}

// --- TExportImage ---

std::u16string TExportImage::GetMimeType() const {
  std::u16string subtype = Extension;
  if (subtype == u"jpg")
    subtype = u"jpeg";
  else if (subtype == u"tif")
    subtype = u"tiff";
  else if (subtype == u"wmf")
    subtype = u"x-wmf";
  else if (subtype == u"emf")
    subtype = u"x-emf";
  return u"image/" + subtype;
}

void TExportImage::AssignTo(TPersistent& dest) const {
  TExportDrawing::AssignTo(dest);
  if (auto* image = dynamic_cast<TExportImage*>(&dest)) {
    image->Extension = Extension;
    image->Data.SetSize(0);
    auto& source = const_cast<TMemoryStream&>(Data);
    const std::int64_t keep = source.Position();
    source.SetPosition(0);
    image->Data.CopyFrom(source, source.Size());
    source.SetPosition(keep);
    image->Data.SetPosition(0);
  }
}

std::unique_ptr<TOwnedListObject> TExportImage::NewInstance() const {
  return std::make_unique<TExportImage>();
}

// --- TExportDrawings ---

int TExportDrawings::AddImage(TStream& stream, const std::u16string& fileName) {
  const std::u16string extension = ExtractFileExtWithoutDot(fileName);
  if (extension.empty()) throw EWorkbookFileNameException(WorkbookLng_NoExtension);
  // Read first: a stream that fails leaves the list as it was.
  TMemoryStream data;
  const std::int64_t left = stream.Size() - stream.Position();
  if (left > 0) data.CopyFrom(stream, left);
  data.SetPosition(0);
  TExportImage* image = AddNew<TExportImage>();
  image->Data.CopyFrom(data, data.Size());
  image->Data.SetPosition(0);
  image->Name = ExtractFileNameWithoutExt(fileName);
  image->Extension = LowerAscii(extension);
  return image->GetIndex();
}

int TExportDrawings::IndexOfName(const std::u16string& keyName) const {
  for (int i = 0; i < Count(); ++i)
    if (GetItem(i) && GetItem(i)->KeyName == keyName) return i;
  return -1;
}

// --- TExportCellDrawing ---

void TExportCellDrawing::SetDrawing(TExportDrawing* drawing) {
  if (drawing == drawing_) return;
  if (drawing_) std::erase(drawing_->References, this);
  drawing_ = drawing;
  if (drawing_) drawing_->References.push_back(this);
}

TExportCell* TExportCellDrawing::GetCell() const {
  return OwnerList() ? dynamic_cast<TExportCell*>(OwnerList()->Owner()) : nullptr;
}

TExportDrawings* TExportCellDrawing::GetDrawings() const {
  TExportCell* cell = GetCell();
  TWorkbook* workbook = cell ? cell->GetWorkbook() : nullptr;
  return workbook ? &workbook->Drawings : nullptr;
}

void TExportCellDrawing::DoDestroy() {
  TExportDrawing* drawing = drawing_;
  SetDrawing(nullptr);
  // The last placement of a picture takes the picture with it.
  if (drawing && drawing->References.empty() && drawing->GetIndex() >= 0) drawing->Free();
}

void TExportCellDrawing::GetEndCell(const TSheetPixelGrid& grid, int& col, int& row, int& x,
                                    int& y) const {
  TExportCell* cell = GetCell();
  col = cell ? std::max(cell->GetColIndex(), 0) : 0;
  row = cell ? std::max(cell->GetRowIndex(), 0) : 0;
  x = Bounds.Right;
  y = Bounds.Bottom;
  TExportWorkSheet::GetCellAtPixelPosition(grid, col, row, x, y);
}

void TExportCellDrawing::AssignTo(TPersistent& dest) const {
  auto* target = dynamic_cast<TExportCellDrawing*>(&dest);
  if (!target) return TOwnedListObject::AssignTo(dest);
  target->Bounds.Assign(Bounds);
  target->Style.Assign(Style);
  if (!drawing_) return target->SetDrawing(nullptr);
  TExportDrawings* drawings = target->GetDrawings();
  if (!drawings || drawings == drawing_->OwnerList()) return target->SetDrawing(drawing_);
  // A picture without a key name matches nothing: it would otherwise take any unnamed one.
  int index = drawing_->KeyName.empty() ? -1 : drawings->IndexOfName(drawing_->KeyName);
  if (index < 0) {
    auto copy = drawing_->NewInstance();
    auto* made = static_cast<TExportDrawing*>(copy.get());
    drawings->Add(TOwnedPtr<TOwnedListObject>(copy.release()));
    made->Assign(*drawing_);
    index = made->GetIndex();
  }
  target->SetDrawing(drawings->GetItem(index));
}

std::unique_ptr<TOwnedListObject> TExportCellDrawing::NewInstance() const {
  return std::make_unique<TExportCellDrawing>();
}

}  // namespace workbook
