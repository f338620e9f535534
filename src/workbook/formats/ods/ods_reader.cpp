// The ODS handler's import: sheet names, cell values with their types, formulas and repeats from
// content.xml, parsed as it is inflated and read row by row, so a large sheet is never whole.
// Styles, widths, merged areas, comments and pictures are not read.
#include <algorithm>

#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/formula_text.h"
#include "workbook/core/library_texts.h"
#include "workbook/core/xml/xml_push_parser.h"
#include "workbook/core/xml/xml_reader.h"
#include "workbook/core/xml/xml_sax_tree.h"
#include "workbook/formats/ods/ods_cell_values.h"
#include "workbook/formats/ods/ods_exporter.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/cell_boolean.h"
#include "workbook/model/cell_date_time.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/limits.h"
#include "workbook/model/load_budget.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

// Repeats are counts from the file: the copies they make are charged by the memory they take, so a
// small file cannot make the model hold more than a large real one would. Real files repeat cells
// along a row and empty rows, and so copy in proportion to their own size: the copies may take a
// few megabytes, then as many bytes per byte of content.xml read, and never more than the whole.
// A copy costs its cell and its formula; its text is the original's, shared.
constexpr std::int64_t kMaxRepeatedBytes = std::int64_t{256} << 20;
constexpr std::int64_t kFreeRepeatedBytes = std::int64_t{16} << 20;
constexpr std::int64_t kRepeatedBytesPerByteRead = 64;
constexpr std::int64_t kCopiedCellBytes = 64;
// How deep a row's content may nest (cell, paragraph, spans, links, frames): real files stay
// within a dozen levels, and a row is gathered as a tree whose cost grows with its depth.
constexpr int kMaxRowNesting = 64;

std::int64_t CopyBytes(const TExportCell& cell) {
  return kCopiedCellBytes + static_cast<std::int64_t>(cell.GetFormula().size() * sizeof(char16_t));
}

[[noreturn]] void InvalidODS() { throw EWorkbookFileException(WorkbookLng_InvalidODS); }

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

// The prefix the cell readers name elements and attributes of a namespace by; empty for the
// namespaces they do not read.
std::string_view ReadersPrefix(std::string_view namespaceURI) {
  constexpr std::string_view kBase = "urn:oasis:names:tc:opendocument:xmlns:";
  if (namespaceURI.substr(0, kBase.size()) != kBase) return {};
  const std::string_view rest = namespaceURI.substr(kBase.size());
  for (std::string_view prefix : {"office", "table", "text"})
    if (rest.substr(0, prefix.size()) == prefix && rest.substr(prefix.size()) == ":1.0")
      return prefix;
  return {};
}

std::string QualifiedName(std::string_view localName, std::string_view namespaceURI) {
  std::string name(ReadersPrefix(namespaceURI));
  if (!name.empty()) name += ':';
  return name.append(localName);
}

// A table of content.xml as it is read: its table:name.
struct TODSWorksheetInfo {
  std::u16string Name;
};

// content.xml parsed as it is inflated: each table row becomes a small tree, read and dropped,
// so neither the part nor a sheet is ever held whole.
class TODSImport final : public IXmlSaxHandler {
 public:
  // partSize: content.xml's inflated size, the measure of the rows' progress.
  TODSImport(TWorkbook& workbook, std::int64_t partSize)
      : workbook_(workbook), parser_(*this), row_(false), partSize_(partSize) {}

  TXmlPushParser& Parser() { return parser_; }

  void Finish() {
    parser_.Finish();
    workbook_.DoProgress(wpsRows, partSize_ / 1024, partSize_ / 1024, u"");
    const auto count = static_cast<long long>(tables_.size());
    workbook_.DoProgress(wpsWorkSheet, count, count, u"");
  }

  void StartElement(std::string_view localName, std::string_view namespaceURI,
                    const TXmlSaxAttributes& attributes) override {
    ++depth_;
    if (rowDepth_ != 0) {
      if (depth_ - rowDepth_ > kMaxRowNesting) InvalidODS();
      AddToRow(QualifiedName(localName, namespaceURI), attributes);
      return;
    }
    const std::string name = QualifiedName(localName, namespaceURI);
    static constexpr std::string_view kPath[] = {"office:document-content", "office:body",
                                                 "office:spreadsheet", "table:table"};
    if (depth_ <= 4 && pathDepth_ == depth_ - 1 && name == kPath[depth_ - 1]) {
      pathDepth_ = depth_;
      if (depth_ == 4) StartTable(attributes);
    } else if (sheet_ != nullptr && groupDepth_ == depth_ - 1) {
      // Rows of a table or of a group; header-row and row-list wrappers hold rows too.
      if (name == "table:table-row") {
        rowDepth_ = depth_;
        AddToRow(name, attributes);
      } else if (name == "table:table-row-group" || name == "table:table-header-rows" ||
                 name == "table:table-rows") {
        groupDepth_ = depth_;
      }
    }
  }

  void EndElement(std::string_view, std::string_view) override {
    if (rowDepth_ != 0) {
      row_.EndElement();
      if (depth_ == rowDepth_) {
        rowDepth_ = 0;
        ReadRow(row_.Root());
        row_.Reset();
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
    if (rowDepth_ != 0) row_.Characters(text);
  }

 private:
  // The row's tree names everything by the readers' prefixes, whatever the file's are.
  void AddToRow(const std::string& name, const TXmlSaxAttributes& attributes) {
    renamed_.resize(static_cast<std::size_t>(attributes.Count()));
    for (int i = 0; i < attributes.Count(); ++i) {
      const std::string_view prefix = ReadersPrefix(attributes.NamespaceURI(i));
      renamed_[static_cast<std::size_t>(i)] = {attributes.LocalName(i),
                                               prefix.empty() ? attributes.Prefix(i) : prefix,
                                               attributes.NamespaceURI(i), attributes.Value(i)};
    }
    row_.StartElement(name, TXmlSaxAttributes(renamed_.data(), attributes.Count(), false));
  }

  void StartTable(const TXmlSaxAttributes& attributes) {
    TODSWorksheetInfo& table = tables_.emplace_back();
    for (int i = 0; i < attributes.Count(); ++i)
      if (ReadersPrefix(attributes.NamespaceURI(i)) == "table" && attributes.LocalName(i) == "name")
        table.Name = platform::Utf8ToUtf16(std::string(attributes.Value(i)));
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
      cell = NewNumberCell(row, col);
      double value = 0;
      // Read as the formula's result too: a function the engine lacks keeps it.
      if (ODSReadFloat(node.Attr("office:value"), value))
        static_cast<TExportCellNumber*>(cell)->ReadValue(value);
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
      flag->ReadValue(ODSReadBoolean(node.Attr("office:boolean-value")) ? 1 : 0);
      cell = flag;
    } else if (node.Child("text:p")) {
      auto* text =
          static_cast<TExportCellString*>(row.FindCreateCell(col, TCellClass::String, true));
      text->SetValue(ODSCellText(node));
      cell = text;
    } else if (node.HasAttr("table:formula")) {
      // A formula whose value the file leaves out (a zero result, or one left to recalculate)
      // must not go with the trailing empty cells.
      cell = NewNumberCell(row, col);
    } else {
      cell = row.FindCreateCell(col, TCellClass::Empty, true);
    }
    if (node.HasAttr("table:formula"))
      cell->SetFormula(ODSFormulaToFormula(node.Attr16("table:formula")));
    return cell;
  }

  // The number styles are not read: a number shows as it is (General), not with fixed decimals.
  static TExportCell* NewNumberCell(TExportRow& row, int col) {
    TExportCell* cell = row.FindCreateCell(col, TCellClass::Number, true);
    cell->ImportNumberFormat(TNumberFormatRec());
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
    const std::int64_t allowed =
        kFreeRepeatedBytes + kRepeatedBytesPerByteRead * parser_.BytesConsumed();
    if (repeatedBytes_ > std::min(allowed, kMaxRepeatedBytes)) InvalidODS();
  }

  void CountCells(std::int64_t cells) {
    cellsSinceReport_ += cells;
    if (cellsSinceReport_ < 10000) return;
    cellsSinceReport_ = 0;
    workbook_.DoProgress(wpsRows, parser_.BytesConsumed() / 1024, partSize_ / 1024, u"");
  }

  TWorkbook& workbook_;
  TXmlPushParser parser_;
  // Depths (the root is 1): of the path down to the table being read, of the row group whose
  // rows are read, of the row being gathered (0: none).
  int depth_ = 0;
  int pathDepth_ = 0;
  int groupDepth_ = 0;
  int rowDepth_ = 0;
  // The row's readers find names by prefix only.
  TXmlSaxTree row_;
  std::vector<TXmlSaxAttribute> renamed_;
  std::vector<TODSWorksheetInfo> tables_;
  TExportWorkSheet* sheet_ = nullptr;
  std::int64_t nextRow_ = 0;
  std::int64_t repeatedBytes_ = 0;
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
      // Parsed while it is inflated: content.xml is never whole in memory.
      found = !IsEncrypted(*zip) && zip->ExtractIndexToStream(content, import.Parser());
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
