// Defined names in SpreadsheetML: the definedName elements of workbook.xml.
#include "workbook/core/oformat.h"
#include "workbook/model/named_cells.h"
#include "workbook/model/sheet_names.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

// A sheet part as written before "!": quotes taken off and "''" read as one "'".
std::u16string UnquoteSheetName(std::u16string_view text) {
  if (text.size() < 2 || text.front() != u'\'' || text.back() != u'\'') return std::u16string(text);
  std::u16string name;
  text = text.substr(1, text.size() - 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    name += text[i];
    if (text[i] == u'\'' && i + 1 < text.size() && text[i + 1] == u'\'') ++i;
  }
  return name;
}

}  // namespace

std::u16string TExportNamedCells::WriteXLSX(const std::vector<std::u16string>* sheetNames) const {
  std::u16string text;
  for (const auto& [name, range] : names_) {
    TExportRange absolute;
    absolute.Assign(range);
    absolute.SetAbsolute(true);
    std::u16string reference = absolute.GetText();
    if (const TExportWorkSheet* sheet = range.WorkSheet; sheet && sheetNames) {
      const auto index = static_cast<std::size_t>(sheet->GetIndex());
      if (index < sheetNames->size())
        reference = RenameSheetInRefs(reference, sheet->Name, (*sheetNames)[index]);
    }
    text += u"<definedName name=\"" + OFormat::EncodeXMLEntities(name, true, true) + u"\">";
    text += OFormat::EncodeXMLEntities(reference, false, false);
    text += u"</definedName>";
  }
  return text;
}

void TExportNamedCells::ReadXLSXDefinedName(const std::u16string& name,
                                            std::u16string_view reference) {
  // A nameless entry could never be written back as a valid defined name.
  if (name.empty() || !owner_) return;
  const std::size_t bang = reference.rfind(u'!');
  if (bang == std::u16string_view::npos) return;
  TExportWorkSheet* sheet =
      owner_->WorkSheets.FindWorkSheet(UnquoteSheetName(reference.substr(0, bang)));
  TExportRange range(sheet);
  if (!sheet || !range.ReadXLSXReference(reference.substr(bang + 1))) return;
  // A name defined twice (say in two sheet scopes) keeps its first range.
  TryAddCellRangeSpan(name, sheet, range.RowCount, range.ColCount, range.Row, range.Col);
}

}  // namespace workbook
