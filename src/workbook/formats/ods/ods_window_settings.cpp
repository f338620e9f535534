// The OpenDocument forms of a sheet view: its entry in settings.xml (the frozen panes' items
// among them) and its auto-filter range.
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

void TExportWindowSplit::WriteODSConfig(TXmlNode entryNode,
                                        const TExportCellAddress& topLeft) const {
  if (Col > 0) {
    AddItem(entryNode, "HorizontalSplitMode", "short", 2);
    AddItem(entryNode, "HorizontalSplitPosition", "int", Col);
    AddItem(entryNode, "PositionLeft", "int", 0);
    AddItem(entryNode, "PositionRight", "int", Col);
  } else {
    AddItem(entryNode, "PositionLeft", "int", topLeft.Col);
  }
  if (Row > 0) {
    AddItem(entryNode, "VerticalSplitMode", "short", 2);
    AddItem(entryNode, "VerticalSplitPosition", "int", Row);
    AddItem(entryNode, "PositionTop", "int", 0);
    AddItem(entryNode, "PositionBottom", "int", Row);
  } else {
    AddItem(entryNode, "PositionBottom", "int", topLeft.Row);
  }
}

void TExportWindowSettings::WriteODSConfig(TXmlNode tablesNode) const {
  TXmlNode entry = tablesNode.AddChild("config:config-item-map-entry");
  entry.SetAttr("config:name", owner_ ? owner_->Name : std::u16string());
  AddItem(entry, "CursorPositionX", "int", std::max(Selection.Col, 0));
  AddItem(entry, "CursorPositionY", "int", std::max(Selection.Row, 0));
  Split.WriteODSConfig(entry, TopLeftCell);
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
