// The OpenDocument forms of a sheet view: its entry in settings.xml and its auto-filter range.
#include <algorithm>
#include <string>

#include "workbook/core/sheet_refs.h"
#include "workbook/model/window_settings.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

void AddItem(TXmlNode entry, std::string_view name, std::string_view type, int value) {
  TXmlNode item = entry.AddChild("config:config-item");
  item.SetAttr("config:name", name);
  item.SetAttr("config:type", type);
  item.SetText(std::to_string(value));
}

}  // namespace

void TExportWindowSettings::WriteODSConfig(TXmlNode tablesNode) const {
  TXmlNode entry = tablesNode.AddChild("config:config-item-map-entry");
  entry.SetAttr("config:name", owner_ ? owner_->Name : std::u16string());
  AddItem(entry, "CursorPositionX", "int", std::max(Selection.Col, 0));
  AddItem(entry, "CursorPositionY", "int", std::max(Selection.Row, 0));
  if (Split.Col > 0) {
    AddItem(entry, "HorizontalSplitMode", "short", 2);
    AddItem(entry, "HorizontalSplitPosition", "int", Split.Col);
    AddItem(entry, "PositionLeft", "int", 0);
    AddItem(entry, "PositionRight", "int", Split.Col);
  } else {
    AddItem(entry, "PositionLeft", "int", TopLeftCell.Col);
  }
  if (Split.Row > 0) {
    AddItem(entry, "VerticalSplitMode", "short", 2);
    AddItem(entry, "VerticalSplitPosition", "int", Split.Row);
    AddItem(entry, "PositionTop", "int", 0);
    AddItem(entry, "PositionBottom", "int", Split.Row);
  } else {
    AddItem(entry, "PositionBottom", "int", TopLeftCell.Row);
  }
}

void TExportWindowSettings::WriteODSAutoFilter(TXmlNode databaseRangesNode) const {
  if (!HasAutoFilter()) return;
  const std::u16string sheetName = owner_ ? owner_->Name : std::u16string();
  const int index = owner_ ? owner_->GetIndex() : 0;
  TXmlNode range = databaseRangesNode.AddChild("table:database-range");
  range.SetAttr("table:name", "__Anonymous_Sheet_DB__" + std::to_string(index));
  range.SetAttr("table:target-range-address",
                MakeODSRangeRef(sheetName, AutoFilter.Col, AutoFilter.Row, false,
                                AutoFilter.RowCount, AutoFilter.ColCount));
  range.SetAttr("table:display-filter-buttons", std::string_view("true"));
}

}  // namespace workbook
