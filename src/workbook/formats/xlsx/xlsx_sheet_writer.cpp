#include "workbook/formats/xlsx/xlsx_sheet_writer.h"

#include <algorithm>

#include "workbook/core/cell_refs.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/oformat.h"
#include "workbook/core/xml/xml_writer.h"
#include "workbook/formats/custom_exporter.h"
#include "workbook/formats/xlsx/xlsx_namespaces.h"
#include "workbook/formats/xlsx/xlsx_shared_strings_export.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/formats/xlsx/xlsx_xml_text.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/cell.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/conditional_formatting.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

constexpr std::string_view kSheetDataMarker = "{96C15ADC-8247-42E4-A5CD-659EA20A8AC0}";
constexpr long long kCellsPerPart = 10000;
constexpr int kMaxColumns = 16384;
constexpr double kDefaultColumnPixels = 80;

std::string Num(long long value) { return std::to_string(value); }

std::u16string Num16(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

TXLSXSheetWriter::TXLSXSheetWriter(TCustomExporter& exporter, TWorkbook& workbook,
                                   TExporterXLSX_StyleSheet& styles,
                                   TXLSXSharedStrings_Export& sharedStrings,
                                   TExporterXLSX_Chain& chain)
    : exporter_(exporter),
      workbook_(workbook),
      styles_(styles),
      sharedStrings_(sharedStrings),
      chain_(chain) {}

TXLSXSheetWriter::~TXLSXSheetWriter() = default;

std::uint32_t TXLSXSheetWriter::SharedStringIndex(const TExportCellString& cell) {
  return sharedStrings_.Add(TXLSXSharedStrings_Export::BuildEntry(cell));
}

void TXLSXSheetWriter::AddHyperlink(const std::u16string& ref, const std::u16string& target) {
  hyperlinks_.push_back(target);
  TXmlNode link = Child("hyperlinks").AddChild("hyperlink");
  link.SetAttr("ref", ref);
  link.SetAttr("r:id", "rId" + Num(static_cast<long long>(hyperlinks_.size())));
}

void TXLSXSheetWriter::AddCalcChainItem(const std::u16string& ref) {
  chain_.emplace_back(ref, Num(index_ + 1));
}

void TXLSXSheetWriter::AddConditionalFormatting(TExportConditionalFormatting& formatting) {
  conditionalFormats_.push_back(&formatting);
}

TXmlNode TXLSXSheetWriter::Child(const char* name) { return root_.Child(name); }

void TXLSXSheetWriter::BuildSkeleton(TXmlDocument& document) {
  root_ = document.CreateRoot("worksheet");
  root_.SetAttr("xmlns", kXLSXMainNS);
  root_.SetAttr("xmlns:r", kXLSXRelationshipsNS);
  // Sheet views, protection, filters, page setup and breaks fill their elements once the sheet
  // carries them; empty ones are removed below.
  for (const char* name : {"sheetPr", "dimension", "sheetViews", "sheetFormatPr", "cols",
                           "sheetData", "sheetProtection", "autoFilter", "mergeCells", "hyperlinks",
                           "printOptions", "pageMargins", "pageSetup", "rowBreaks", "colBreaks"})
    root_.AddChild(name);
}

void TXLSXSheetWriter::StartPart() {
  if (writer_) {
    writer_->Flush();
    writer_.reset();
    partStream_.reset();
    if (WorkbookCompressTempData)
      parts_->AddCompressed(std::move(partBuffer_));
    else
      parts_->AddStream(std::move(partBuffer_));
  }
  partBuffer_ = std::make_unique<TMemoryStream>();
  TStream* target = partBuffer_.get();
  if (WorkbookCompressTempData) {
    partStream_ = std::make_unique<TCompressionStream>(*partBuffer_);
    target = partStream_.get();
  }
  writer_ = std::make_unique<TXmlWriter>(*target);
  partCells_ = 1;
}

void TXLSXSheetWriter::WriteEmptyCell(int col, int row, int xf) {
  writer_->StartElement("c");
  writer_->WriteAttribute("r", MakeCellRangeRef(col, row));
  writer_->WriteAttribute("s", Num16(xf));
  writer_->EndElement();
}

void TXLSXSheetWriter::CompleteRow(int rowIndex, int fromCol, int rowXF) {
  const int lastCol = forceRanges_.GetLastColInRow(rowIndex);
  for (int col = fromCol; col <= lastCol; ++col) {
    const int range = forceRanges_.IndexOfCell(col, rowIndex);
    WriteEmptyCell(col, rowIndex, range >= 0 ? forceRanges_.GetItem(range).XF : rowXF);
  }
}

int TXLSXSheetWriter::CellXF(TExportCell& cell, bool rowStyled) {
  if (cell.HasStyle() || rowStyled) return styles_.AddStyle(cell.GetStyle(), &cell);
  std::u16string key = cell.GetFormatCode();
  key += static_cast<char16_t>(cell.CellClass());
  auto found = unstyledXFs_.find(key);
  if (found != unstyledXFs_.end()) return found->second;
  const int xf = styles_.AddStyle(cell.GetStyle(), &cell);
  unstyledXFs_.emplace(std::move(key), xf);
  return xf;
}

void TXLSXSheetWriter::WriteRow(int rowIndex, TExportRow* row) {
  const int cellCount = row != nullptr ? static_cast<int>(row->Cells.Count()) : 0;
  if (partCells_ > kCellsPerPart) {
    StartPart();
    workbook_.DoProgress(wpsRows, rowIndex, rowCount_, u"");
  }
  partCells_ += cellCount;
  const bool covered = forceRanges_.GetLastColInRow(rowIndex) >= 0;
  if (row == nullptr || (cellCount == 0 && !row->HasStyle() && row->Height < 0 && !row->Hidden &&
                         row->OutlineLevel == 0 && !row->PageBreak)) {
    if (!covered) return;
    writer_->StartElement("row");
    writer_->WriteAttribute("r", Num16(rowIndex + 1));
    CompleteRow(rowIndex, 0, defaultXF_);
    writer_->EndElement();
    return;
  }
  maxCellCount_ = std::max(maxCellCount_, cellCount);
  const int rowXF = row->HasStyle() ? styles_.AddStyle(row->GetStyle(), nullptr) : defaultXF_;
  row->WriteXLSXStart(*writer_, row->Height, rowXF, rowBreaks_);
  int j = 0;
  for (; j < cellCount; ++j) {
    TExportCell* cell = row->Cells.PeekItem(j);
    const int range = forceRanges_.IndexOfCell(j, rowIndex);
    if (cell == nullptr) {
      if (range >= 0) WriteEmptyCell(j, rowIndex, forceRanges_.GetItem(range).XF);
      continue;
    }
    int xf = CellXF(*cell, row->HasStyle());
    if (range >= 0)
      xf = styles_.AddStyleWithBorders(forceRanges_.GetItem(range).XF, cell->GetStyle());
    cell->WriteXLSX(*writer_, MakeCellRangeRef(j, rowIndex), xf, *this);
    const int colSpan = std::min(cell->ColSpan(), kMaxColumns - j);
    const int rowSpan = cell->RowSpan();
    if (colSpan <= 1 && rowSpan <= 1) continue;
    TXmlNode merge = Child("mergeCells").AddChild("mergeCell");
    merge.SetAttr("ref", MakeCellRangeRef(j, rowIndex, colSpan, false, rowSpan));
    ++mergeCount_;
    if (rowSpan > 1) forceRanges_.Add(j, rowIndex + 1, colSpan, rowSpan - 1, xf);
    const int first = j;
    for (int k = 1; k < colSpan; ++k) {
      j = first + k;
      TExportCell* covered = j < cellCount ? row->Cells.PeekItem(j) : nullptr;
      WriteEmptyCell(
          j, rowIndex,
          covered != nullptr ? styles_.AddStyleWithBorders(xf, covered->GetStyle()) : xf);
    }
  }
  CompleteRow(rowIndex, j, rowXF);
  writer_->EndElement();
}

void TXLSXSheetWriter::WriteRows() {
  TExportWorkSheet& sheet = *sheet_;
  rowCount_ = static_cast<int>(sheet.Rows.Count());
  StartPart();
  workbook_.DoProgress(wpsRows, 0, rowCount_, u"");
  for (int r = 0; r < rowCount_; ++r) {
    TExportRow* row = sheet.Rows.PeekItem(r);
    if (workbook_.WriteRowsByEvent && sheet.OnGetRow) {
      row = sheet.Rows.GetItem(r);
      sheet.OnGetRow(workbook_, sheet, *row);
    }
    WriteRow(r, row);
  }
  for (int r = rowCount_; r <= forceRanges_.GetLastRow(); ++r) WriteRow(r, nullptr);
  rowCount_ = std::max(rowCount_, forceRanges_.GetLastRow() + 1);
  StartPart();
  writer_.reset();
  partStream_.reset();
  partBuffer_.reset();
}

void TXLSXSheetWriter::WriteColumns(TXmlNode cols) {
  // No column of the model carries its own width or style yet: one col covers the whole sheet
  // with the default width and the sheet's default style.
  const int charWidth = std::max(1, exporter_.GetDefaultCharWidth());
  TXmlNode col = cols.AddChild("col");
  col.SetAttr("min", "1");
  col.SetAttr("max", Num(kMaxColumns));
  col.SetAttr("width", ISOFloatToStr(kDefaultColumnPixels / charWidth));
  col.SetAttr("customWidth", "1");
  col.SetAttr("style", Num(defaultXF_));
}

void TXLSXSheetWriter::WriteRelationships(TZipArchive& zip) {
  if (hyperlinks_.empty()) return;
  std::string text(kXLSXDeclarationLine);
  text += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  for (std::size_t k = 0; k < hyperlinks_.size(); ++k) {
    text += "<Relationship Id=\"rId" + Num(static_cast<long long>(k + 1)) +
            "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
            "hyperlink\" Target=\"" +
            XMLText(OFormat::DecodeXMLEntities(hyperlinks_[k]), true) +
            "\" TargetMode=\"External\"/>";
  }
  text += "</Relationships>";
  TMemoryStream part;
  part.WriteString(text);
  part.SetPosition(0);
  zip.AddFile(u"xl/worksheets/_rels/sheet" + Num16(index_ + 1) + u".xml.rels", part);
}

void TXLSXSheetWriter::Write(TZipArchive& zip, TExportWorkSheet& sheet, int index) {
  sheet_ = &sheet;
  index_ = index;
  maxCellCount_ = 0;
  mergeCount_ = 0;
  hyperlinks_.clear();
  rowBreaks_.clear();
  conditionalFormats_.clear();
  forceRanges_ = TExporterXLSX_ForceRangeStyles();
  unstyledXFs_.clear();
  parts_ = std::make_unique<TExporterXLSX_MemoryStreamList>(&workbook_);
  document_ = std::make_unique<TXmlDocument>();
  BuildSkeleton(*document_);

  defaultXF_ = sheet.DefaultCellStyle ? styles_.AddStyle(*sheet.DefaultCellStyle, nullptr) : 0;
  const int charWidth = std::max(1, exporter_.GetDefaultCharWidth());
  TXmlNode format = Child("sheetFormatPr");
  format.SetAttr("baseColWidth", "10");
  format.SetAttr("defaultColWidth", ISOFloatToStr(kDefaultColumnPixels / charWidth));
  format.SetAttr("defaultRowHeight",
                 ISOFloatToStr(TCustomExporter::GetDefaultRowHeight(sheet, true) * 0.75));
  format.SetAttr("customHeight", "1");
  Child("sheetData").SetText(kSheetDataMarker);

  WriteRows();

  Child("dimension")
      .SetAttr("ref", maxCellCount_ <= 1 && rowCount_ <= 1
                          ? std::u16string(u"A1")
                          : MakeCellRangeRef(0, 0, std::max(maxCellCount_, 1), false,
                                             std::max(rowCount_, 1)));
  if (mergeCount_ == 0)
    Child("mergeCells").Remove();
  else
    Child("mergeCells").SetAttr("count", Num(mergeCount_));
  for (TExportConditionalFormatting* formatting : conditionalFormats_)
    formatting->WriteXLSX(root_.InsertChildBefore("conditionalFormatting", Child("hyperlinks")),
                          styles_.CondFormStyles());
  if (hyperlinks_.empty()) Child("hyperlinks").Remove();
  WriteColumns(Child("cols"));
  TXmlNode rowBreaks = Child("rowBreaks");
  if (rowBreaks_.empty()) {
    rowBreaks.Remove();
  } else {
    for (int row : rowBreaks_) {
      TXmlNode brk = rowBreaks.AddChild("brk");
      brk.SetAttr("id", Num(row));
      brk.SetAttr("max", "16383");
      brk.SetAttr("man", "1");
    }
    rowBreaks.SetAttr("count", Num(static_cast<long long>(rowBreaks_.size())));
    rowBreaks.SetAttr("manualBreakCount", Num(static_cast<long long>(rowBreaks_.size())));
  }
  Child("colBreaks").Remove();
  // Elements no feature of the sheet filled would be invalid empty.
  for (const char* name : {"sheetPr", "sheetViews", "sheetProtection", "autoFilter", "printOptions",
                           "pageMargins", "pageSetup"})
    Child(name).Remove();
  WriteRelationships(zip);

  const std::string text = document_->SaveToString();
  const std::size_t marker = text.find(kSheetDataMarker);
  auto head = std::make_unique<TMemoryStream>();
  head->WriteString(text.substr(0, marker));
  auto tail = std::make_unique<TMemoryStream>();
  tail->WriteString(text.substr(marker + kSheetDataMarker.size()));
  parts_->AddStream(std::move(head), 0);
  parts_->AddStream(std::move(tail));
  parts_->SetPosition(0);
  zip.AddFile(u"xl/worksheets/sheet" + Num16(index + 1) + u".xml", *parts_);
  parts_.reset();
  document_.reset();
  root_ = TXmlNode();
}

}  // namespace workbook
