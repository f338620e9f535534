#include "workbook/model/drawing_style.h"

namespace workbook {

namespace {

std::u16string Num(long long value) {
  std::string s = std::to_string(value);
  return std::u16string(s.begin(), s.end());
}

}  // namespace

std::u16string TCustomExportDrawingFill::GetKeyString() const {
  return Num(FillType) + u";" + Num(Color) + u";" + Num(Transparency);
}

void TCustomExportDrawingFill::AssignTo(TPersistent& dest) const {
  if (auto* fill = dynamic_cast<TCustomExportDrawingFill*>(&dest)) {
    fill->FillType = FillType;
    fill->Color = Color;
    fill->Transparency = Transparency;
    return;
  }
  TPersistent::AssignTo(dest);
}

std::u16string TExportDrawingBorder::GetKeyString() const {
  return TExportDrawingFill::GetKeyString() + u";" + Num(Width) + u";" + Num(Dash);
}

void TExportDrawingBorder::AssignTo(TPersistent& dest) const {
  TExportDrawingFill::AssignTo(dest);
  if (auto* border = dynamic_cast<TExportDrawingBorder*>(&dest)) {
    border->Width = Width;
    border->Dash = Dash;
  }
}

std::u16string TExportDrawingShadow::GetKeyString() const {
  return TCustomExportDrawingFill::GetKeyString() + u";" + Num(Distance) + u";" + Num(Blur);
}

void TExportDrawingShadow::AssignTo(TPersistent& dest) const {
  TCustomExportDrawingFill::AssignTo(dest);
  if (auto* shadow = dynamic_cast<TExportDrawingShadow*>(&dest)) {
    shadow->Distance = Distance;
    shadow->Blur = Blur;
  }
}

std::u16string TExportDrawingStyle::GetKeyString() const {
  return Fill.GetKeyString() + u";" + Border.GetKeyString() + u";" + Shadow.GetKeyString();
}

void TExportDrawingStyle::AssignTo(TPersistent& dest) const {
  if (auto* style = dynamic_cast<TExportDrawingStyle*>(&dest)) {
    style->Fill.Assign(Fill);
    style->Border.Assign(Border);
    style->Shadow.Assign(Shadow);
    return;
  }
  TOwnedListObject::AssignTo(dest);
}

std::unique_ptr<TOwnedListObject> TExportDrawingStyle::NewInstance() const {
  return std::make_unique<TExportDrawingStyle>();
}

}  // namespace workbook
