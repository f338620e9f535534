// The ODS handler's import: sheet names, cell values with their types, formulas and repeats from
// content.xml, read from the parser's events as it is inflated, so neither the part nor a row is
// ever held whole. Styles, widths, merged areas, comments and pictures are not read.
#include <algorithm>

#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/core/xml/xml_reader.h"
#include "workbook/core/xml/xml_scanning_parser.h"
#include "workbook/formats/ods/ods_cell_reader.h"
#include "workbook/formats/ods/ods_cell_values.h"
#include "workbook/formats/ods/ods_exporter.h"
#include "workbook/formats/ods/ods_namespaces.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/limits.h"
#include "workbook/model/load_budget.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

// How deep a row's content may nest (cell, paragraph, spans, links, frames): real files stay
// within a dozen levels.
constexpr int kMaxRowNesting = 64;

// Repeats are counts from the file, and a few bytes may ask for millions of copies: what the copies
// of one repeat make, each its cell and the formula it carries (its text is the original's,
// shared), is held against the load's limits before the first is made, as the model charges them
// while they are made.
void CheckCopies(std::int64_t copies, std::int64_t cells, std::int64_t formulaBytes) {
  if (copies <= 0) return;
  TWorkbookLoadBudget::CheckCells(copies * cells);
  TWorkbookLoadBudget::CheckTextBytes(copies * formulaBytes);
}

std::int64_t FormulaBytes(const TExportCell& cell) {
  return static_cast<std::int64_t>(cell.GetFormula().size() * sizeof(char16_t));
}

[[noreturn]] void InvalidODS() { throw EWorkbookFileException(WorkbookLng_InvalidODS); }

[[noreturn]] void TooDeep() {
  const std::string levels = std::to_string(kMaxRowNesting);
  throw EWorkbookFileException(
      FormatLibraryText(FormatLibraryText(WorkbookLng_PartTooDeep, u"content.xml"),
                        std::u16string(levels.begin(), levels.end())));
}

// Encrypted (password-protected) packages keep their parts unreadable; the manifest says so.
bool IsEncrypted(TZipArchive& zip) {
  std::unique_ptr<TMemoryStream> manifest;
  std::int64_t size = 0;
  const auto maxSize = static_cast<std::uint64_t>(TWorkbookLoadBudget::Limits().MaxTreePartBytes);
  if (!zip.ExtractToMemoryStream(u"META-INF/manifest.xml", manifest, size, maxSize)) return false;
  TXmlReader reader(*manifest);
  while (reader.Read())
    if (reader.NodeType() == TXmlNodeType::Element && reader.LocalName() == "encryption-data")
      return true;
  return false;
}

bool IsOfficeNamespace(std::string_view uri) {
  return ODSNamespaceOf(uri) == TODSNamespace::Office;
}

// A table of content.xml as it is read: its table:name.
struct TODSWorksheetInfo {
  std::u16string Name;
};

// content.xml parsed as it is inflated: the spreadsheet's content goes through the hand-written
// scanner, and each cell is made as its element ends.
class TODSImport final : public IXmlSaxHandler {
 public:
  // partSize: content.xml's inflated size, the measure of the rows' progress.
  TODSImport(TWorkbook& workbook, std::int64_t partSize)
      : workbook_(workbook),
        parser_(*this, "spreadsheet", IsOfficeNamespace, 3),
        cell_(workbook.CellBlocks),
        partSize_(partSize) {}

  TXmlScanningParser& Parser() { return parser_; }

  void Finish() {
    parser_.Finish();
    workbook_.DoProgress(wpsRows, partSize_ / 1024, partSize_ / 1024, u"");
    const auto count = static_cast<long long>(tables_.size());
    workbook_.DoProgress(wpsWorkSheet, count, count, u"");
  }

  void StartElement(std::string_view localName, std::string_view namespaceURI,
                    const TXmlSaxAttributes& attributes) override {
    ++depth_;
    const TODSNamespace ns = ODSNamespaceOf(namespaceURI);
    if (rowDepth_ != 0) {
      if (depth_ - rowDepth_ > kMaxRowNesting) TooDeep();
      if (depth_ == rowDepth_ + 1) {
        // Covered cells (behind a span) hold values too.
        if (ns == TODSNamespace::Table &&
            (localName == "table-cell" || localName == "covered-table-cell")) {
          cellDepth_ = depth_;
          cell_.Start(attributes);
        }
      } else if (cellDepth_ != 0) {
        cell_.StartElement(localName, ns, attributes, depth_ - cellDepth_);
      }
      return;
    }
    static constexpr std::pair<TODSNamespace, std::string_view> kPath[] = {
        {TODSNamespace::Office, "document-content"},
        {TODSNamespace::Office, "body"},
        {TODSNamespace::Office, "spreadsheet"},
        {TODSNamespace::Table, "table"}};
    if (depth_ <= 4 && pathDepth_ == depth_ - 1 && ns == kPath[depth_ - 1].first &&
        localName == kPath[depth_ - 1].second) {
      pathDepth_ = depth_;
      if (depth_ == 4) StartTable(attributes);
    } else if (sheet_ != nullptr && groupDepth_ == depth_ - 1 && ns == TODSNamespace::Table) {
      // Rows of a table or of a group; header-row and row-list wrappers hold rows too.
      if (localName == "table-row")
        StartRow(attributes);
      else if (localName == "table-row-group" || localName == "table-header-rows" ||
               localName == "table-rows")
        groupDepth_ = depth_;
    }
  }

  void EndElement(std::string_view, std::string_view) override {
    if (rowDepth_ != 0) {
      if (depth_ == rowDepth_) {
        EndRow();
      } else if (depth_ == cellDepth_) {
        cellDepth_ = 0;
        EndCell();
      } else if (cellDepth_ != 0) {
        cell_.EndElement(depth_ - cellDepth_);
      }
    } else if (sheet_ != nullptr && depth_ == groupDepth_ && depth_ > 4) {
      --groupDepth_;
    } else if (depth_ == pathDepth_) {
      if (depth_ == 4) EndTable();
      --pathDepth_;
    }
    --depth_;
  }

  void Characters(std::string_view text) override {
    if (cellDepth_ != 0) cell_.Characters(text);
  }

 private:
  void StartTable(const TXmlSaxAttributes& attributes) {
    TODSWorksheetInfo& table = tables_.emplace_back();
    table.Name = platform::Utf8ToUtf16(ODSAttribute(attributes, TODSNamespace::Table, "name"));
    TExportWorkSheet* sheet = workbook_.AddWorkSheet(table.Name);
    bool read = true;
    workbook_.DoBeforeWorkSheetRead(*sheet, read);
    if (!read) return;
    sheet_ = sheet;
    groupDepth_ = 4;
    nextRow_ = 0;
  }

  void EndTable() {
    if (sheet_ == nullptr) return;
    // Rows whose cells all turned out empty.
    while (sheet_->Rows.Count() > 0 && !sheet_->Rows.RowHasCells(sheet_->Rows.Count() - 1))
      sheet_->Rows.Delete(sheet_->Rows.Count() - 1);
    sheet_ = nullptr;
    groupDepth_ = 0;
  }

  void StartRow(const TXmlSaxAttributes& attributes) {
    rowDepth_ = depth_;
    rowRepeat_ =
        ODSRepeatCount(ODSAttribute(attributes, TODSNamespace::Table, "number-rows-repeated"));
    rowFirst_ = nextRow_;
    nextRow_ = std::min<std::int64_t>(nextRow_ + rowRepeat_, kMaxSheetRows);
    // Made with its first cell that holds something: empty rows only move the position, so a
    // filler of a million rows costs nothing.
    row_ = nullptr;
    nextCol_ = 0;
  }

  void EndCell() {
    const std::int64_t first = nextCol_;
    nextCol_ = std::min<std::int64_t>(nextCol_ + cell_.Repeat(), kMaxSheetCols);
    // Empty cells only move the position, so a trailing filler creates nothing. A repeat stops at
    // the sheet's last row and column, but content that starts beyond them is refused rather than
    // lost without a word.
    if (!cell_.HasContent()) return;
    if (first >= kMaxSheetCols || rowFirst_ >= kMaxSheetRows) BeyondTheSheet();
    if (row_ == nullptr) row_ = sheet_->Rows.GetRow(static_cast<int>(rowFirst_));
    TExportCell* cell = cell_.Create(*row_, static_cast<int>(first));
    const std::int64_t count = nextCol_ - first;
    CheckCopies(count - 1, 1, FormulaBytes(*cell));
    for (std::int64_t i = 1; i < count; ++i)
      cell->AssignTo(*row_->FindCreateCell(static_cast<int>(first + i), cell->CellClass(), true));
    CountCells(count);
  }

  void EndRow() {
    rowDepth_ = 0;
    TExportRow* row = row_;
    if (row == nullptr) return;
    row_ = nullptr;
    row->DeleteTrailingEmptyCells();
    workbook_.DoAfterRowRead(*sheet_, *row);
    std::int64_t cells = 1;  // the row itself
    std::int64_t formulaBytes = 0;
    row->Cells.ForEachItem([&](std::int32_t, TOwnedListObject* cell) {
      ++cells;
      formulaBytes += FormulaBytes(*static_cast<TExportCell*>(cell));
    });
    const std::int64_t count = std::min<std::int64_t>(rowRepeat_, kMaxSheetRows - rowFirst_);
    CheckCopies(count - 1, cells, formulaBytes);
    for (std::int64_t i = 1; i < count; ++i) {
      TExportRow* copy = sheet_->Rows.GetRow(static_cast<int>(rowFirst_ + i));
      // From the row before: the row event may have taken the cells of the rows before it.
      row->AssignTo(*copy);
      workbook_.DoAfterRowRead(*sheet_, *copy);
      row = copy;
    }
  }

  [[noreturn]] void BeyondTheSheet() const {
    throw EWorkbookFileException(WorkbookLng_InvalidODS + u"\r\n\r\nA cell of the worksheet \"" +
                                 sheet_->Name +
                                 u"\" lies beyond the last row or column of a worksheet.");
  }

  void CountCells(std::int64_t cells) {
    cellsSinceReport_ += cells;
    if (cellsSinceReport_ < 10000) return;
    cellsSinceReport_ = 0;
    workbook_.DoProgress(wpsRows, parser_.BytesConsumed() / 1024, partSize_ / 1024, u"");
  }

  TWorkbook& workbook_;
  TXmlScanningParser parser_;
  // Depths (the root is 1): of the path down to the table being read, of the row group whose
  // rows are read, of the row and the cell being read (0: none).
  int depth_ = 0;
  int pathDepth_ = 0;
  int groupDepth_ = 0;
  int rowDepth_ = 0;
  int cellDepth_ = 0;
  std::vector<TODSWorksheetInfo> tables_;
  TExportWorkSheet* sheet_ = nullptr;
  std::int64_t nextRow_ = 0;
  // The row being read: where it starts, its repeat, the model's row once a cell needs it.
  std::int64_t rowFirst_ = 0;
  std::int64_t rowRepeat_ = 1;
  TExportRow* row_ = nullptr;
  std::int64_t nextCol_ = 0;
  TODSCellReader cell_;
  std::int64_t cellsSinceReport_ = 0;
  std::int64_t partSize_;
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
  try {
    const int content = zip->IndexOf(u"content.xml");
    TODSImport import(workbook, zip->GetUncompressedSize(content));
    bool found = false;
    try {
      if (IsEncrypted(*zip)) throw EWorkbookFileException(WorkbookLng_EncryptedFile);
      // Parsed while it is inflated: content.xml is never whole in memory.
      found = zip->ExtractIndexToStream(content, import.Parser());
    } catch (const EZipFileInvalid&) {
      InvalidODS();
    }
    if (!found) InvalidODS();
    import.Finish();
  } catch (...) {
    // Nothing half-read stays behind.
    workbook.WorkSheets.Clear();
    throw;
  }
  workbook.DoProgress(wpsDone, 1, 1, u"");
}

}  // namespace workbook
