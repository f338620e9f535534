// The ODS handler's import: sheet names, cell values with their types, formulas and repeats from
// content.xml, read row by row so a large sheet is never one tree. Styles, widths, merged areas,
// comments and pictures are not read.
#include <algorithm>

#include "workbook/core/exceptions.h"
#include "workbook/core/formula_text.h"
#include "workbook/core/library_texts.h"
#include "workbook/core/xml/xml_reader.h"
#include "workbook/formats/ods/ods_cell_values.h"
#include "workbook/formats/ods/ods_exporter.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/limits.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

// Repeats are counts from the file: the copies they make are charged to this budget by the
// memory they take, so a small file cannot make the model hold more than a large real one would.
// A copy costs its cell and its formula; its text is the original's, shared.
constexpr std::int64_t kMaxRepeatedBytes = std::int64_t{256} << 20;
constexpr std::int64_t kCopiedCellBytes = 64;

std::int64_t CopyBytes(const TExportCell& cell) {
  return kCopiedCellBytes + static_cast<std::int64_t>(cell.GetFormula().size() * sizeof(char16_t));
}

// The name of one table being read.
struct TODSWorksheetInfo {
  std::u16string Name;
};

[[noreturn]] void InvalidODS() { throw EWorkbookFileException(WorkbookLng_InvalidODS); }

// Encrypted (password-protected) packages keep their parts unreadable; the manifest says so.
bool IsEncrypted(TZipArchive& zip) {
  std::unique_ptr<TMemoryStream> manifest;
  std::int64_t size = 0;
  if (!zip.ExtractToMemoryStream(u"META-INF/manifest.xml", manifest, size)) return false;
  TXmlReader reader(*manifest);
  while (reader.Read())
    if (reader.NodeType() == TXmlNodeType::Element && reader.LocalName() == "encryption-data")
      return true;
  return false;
}

class TODSImport {
 public:
  TODSImport(TWorkbook& workbook, TXmlReader& reader, std::int64_t size)
      : workbook_(workbook), reader_(reader), size_(size) {}

  void Run() {
    if (!reader_.ReadToPath("office:document-content/office:body/office:spreadsheet")) return;
    const int depth = reader_.Depth();
    std::vector<TODSWorksheetInfo> infos;
    while (reader_.NextChildElement(depth)) {
      if (!reader_.Is("table:table")) continue;
      infos.push_back({reader_.Attr16("table:name")});
      TExportWorkSheet* sheet = workbook_.AddWorkSheet(infos.back().Name);
      bool read = true;
      workbook_.DoBeforeWorkSheetRead(*sheet, read);
      if (read) ReadTable(*sheet);
    }
    const auto count = static_cast<long long>(infos.size());
    workbook_.DoProgress(wpsWorkSheet, count, count, u"");
  }

 private:
  void ReadTable(TExportWorkSheet& sheet) {
    sheet_ = &sheet;
    nextRow_ = 0;
    ReadRows(reader_.Depth());
    // Rows whose cells all turned out empty.
    while (sheet.Rows.Count() > 0 && !sheet.Rows.RowHasCells(sheet.Rows.Count() - 1))
      sheet.Rows.Delete(sheet.Rows.Count() - 1);
  }

  // Rows of a table or of a group; header-row and row-list wrappers hold rows too.
  void ReadRows(int depth) {
    while (reader_.NextChildElement(depth)) {
      if (reader_.Is("table:table-row"))
        ReadRow(reader_.Expand());
      else if (reader_.Is("table:table-row-group") || reader_.Is("table:table-header-rows") ||
               reader_.Is("table:table-rows"))
        ReadRows(reader_.Depth());
    }
  }

  void ReadRow(const TXmlNode& node) {
    const std::int64_t repeat = ODSRepeatCount(node.Attr("table:number-rows-repeated"));
    const std::int64_t first = nextRow_;
    nextRow_ = std::min<std::int64_t>(nextRow_ + repeat, kMaxSheetRows + 1);
    // Empty rows only move the position: a filler of a million rows costs nothing.
    if (!RowHasContent(node)) return;
    if (first + repeat > kMaxSheetRows) InvalidODS();

    TExportRow* row = sheet_->Rows.GetRow(static_cast<int>(first));
    ReadCells(node, *row);
    row->DeleteTrailingEmptyCells();
    workbook_.DoAfterRowRead(*sheet_, *row);
    std::int64_t rowBytes = 0;
    row->Cells.ForEachItem([&rowBytes](std::int32_t, TOwnedListObject* cell) {
      rowBytes += CopyBytes(*static_cast<TExportCell*>(cell));
    });
    for (std::int64_t i = 1; i < repeat; ++i) {
      Charge(rowBytes);
      TExportRow* copy = sheet_->Rows.GetRow(static_cast<int>(first + i));
      // From the row before: the row event may have taken the cells of the rows before it.
      row->AssignTo(*copy);
      workbook_.DoAfterRowRead(*sheet_, *copy);
      row = copy;
    }
  }

  void ReadCells(const TXmlNode& rowNode, TExportRow& row) {
    std::int64_t col = 0;
    for (TXmlNode node = rowNode.FirstElement(); node; node = node.NextElement()) {
      if (!node.Is("table:table-cell") && !node.Is("table:covered-table-cell")) continue;
      const std::int64_t repeat = ODSRepeatCount(node.Attr("table:number-columns-repeated"));
      const std::int64_t first = col;
      col = std::min<std::int64_t>(col + repeat, kMaxSheetCols + 1);
      // Empty cells only move the position, so a trailing filler creates nothing.
      if (!CellHasContent(node)) continue;
      if (first + repeat > kMaxSheetCols) InvalidODS();
      TExportCell* cell = ReadCell(node, row, static_cast<int>(first));
      for (std::int64_t i = 1; i < repeat; ++i) {
        Charge(CopyBytes(*cell));
        cell->AssignTo(*row.FindCreateCell(static_cast<int>(first + i), cell->CellClass(), true));
      }
      CountCells(repeat);
    }
  }

  TExportCell* ReadCell(const TXmlNode& node, TExportRow& row, int col) {
    const std::string_view type = node.Attr("office:value-type");
    TExportCell* cell = nullptr;
    if (type == "float" || type == "percentage" || type == "currency") {
      auto* number =
          static_cast<TExportCellNumber*>(row.FindCreateCell(col, TCellClass::Number, true));
      double value = 0;
      if (ODSReadFloat(node.Attr("office:value"), value)) number->SetValue(value);
      cell = number;
    } else if (type == "date" || type == "time") {
      const bool isDate = type == "date";
      auto* stamp = static_cast<TExportCellDateTime*>(
          row.FindCreateCell(col, isDate ? TCellClass::DateTime : TCellClass::Time, true));
      double value = 0;
      if (isDate ? ODSReadDate(node.Attr("office:date-value"), value)
                 : ODSReadTime(node.Attr("office:time-value"), value))
        stamp->SetValue(value);
      cell = stamp;
    } else if (type == "boolean") {
      auto* flag =
          static_cast<TExportCellBoolean*>(row.FindCreateCell(col, TCellClass::Boolean, true));
      flag->SetBoolean(ODSReadBoolean(node.Attr("office:boolean-value")));
      cell = flag;
    } else if (node.Child("text:p")) {
      auto* text =
          static_cast<TExportCellString*>(row.FindCreateCell(col, TCellClass::String, true));
      text->SetValue(ODSCellText(node));
      cell = text;
    } else if (node.HasAttr("table:formula")) {
      // A formula whose value the file leaves out (a zero result, or one left to recalculate)
      // must not go with the trailing empty cells.
      cell = row.FindCreateCell(col, TCellClass::Number, true);
    } else {
      cell = row.FindCreateCell(col, TCellClass::Empty, true);
    }
    if (node.HasAttr("table:formula"))
      cell->SetFormula(ODSFormulaToFormula(node.Attr16("table:formula")));
    return cell;
  }

  static bool CellHasContent(const TXmlNode& node) {
    return node.HasAttr("office:value-type") || node.HasAttr("table:formula") ||
           static_cast<bool>(node.Child("text:p"));
  }

  static bool RowHasContent(const TXmlNode& node) {
    for (TXmlNode cell = node.FirstElement(); cell; cell = cell.NextElement())
      if ((cell.Is("table:table-cell") || cell.Is("table:covered-table-cell")) &&
          CellHasContent(cell))
        return true;
    return false;
  }

  void Charge(std::int64_t bytes) {
    repeatedBytes_ += bytes;
    if (repeatedBytes_ > kMaxRepeatedBytes) InvalidODS();
  }

  void CountCells(std::int64_t cells) {
    cellsSinceReport_ += cells;
    if (cellsSinceReport_ < 10000) return;
    cellsSinceReport_ = 0;
    workbook_.DoProgress(wpsRows, reader_.BytesConsumed() / 1024, size_ / 1024, u"");
  }

  TWorkbook& workbook_;
  TXmlReader& reader_;
  std::int64_t size_;
  TExportWorkSheet* sheet_ = nullptr;
  std::int64_t nextRow_ = 0;
  std::int64_t repeatedBytes_ = 0;
  std::int64_t cellsSinceReport_ = 0;
};

}  // namespace

void TCustomExporterODS::ImportFromStream(TStream& stream, TWorkbook& workbook) {
  TCustomExporter::ImportFromStream(stream, workbook);
  workbook.DoProgress(wpsStart, 0, 1, WorkbookLng_Import);
  workbook.WorkSheets.Clear();
  std::unique_ptr<TZipArchive> zip;
  try {
    zip = std::make_unique<TZipArchive>(stream, TZipArchiveMode::Read);
  } catch (const EZipFileInvalid&) {
    InvalidODS();
  }
  workbook.DoProgress(wpsLoading, 0, 1, u"");
  std::unique_ptr<TMemoryStream> content;
  std::int64_t size = 0;
  try {
    if (IsEncrypted(*zip) || !zip->ExtractToMemoryStream(u"content.xml", content, size))
      InvalidODS();
  } catch (const EZipFileInvalid&) {
    InvalidODS();
  }
  try {
    TXmlReader reader(*content);
    TODSImport(workbook, reader, size).Run();
  } catch (...) {
    // Nothing half-read stays behind.
    workbook.WorkSheets.Clear();
    throw;
  }
  workbook.DoProgress(wpsDone, 1, 1, u"");
}

}  // namespace workbook
