#include "workbook/formats/xlsx/xlsx_shared_strings_writer.h"

#include <memory>

#include "workbook/core/xml/xml_text.h"
#include "workbook/formats/xlsx/xlsx_memory_stream_list.h"
#include "workbook/formats/xlsx/xlsx_namespaces.h"
#include "workbook/formats/xlsx/xlsx_xml_text.h"
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/cell_string.h"
#include "workbook/model/rich_text.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

constexpr std::size_t kEntriesPerPart = 10000;

void AppendT(std::string& out, std::u16string_view text) {
  const TXLSXElementText element = XLSXElementText(text);
  out += element.PreserveSpace ? "<t xml:space=\"preserve\">" : "<t>";
  AppendXmlText(out, element.Text, TXmlEscaping::Text);
  out += "</t>";
}

}  // namespace

std::uint32_t TXLSXSharedStrings_Export::Add(std::string content) {
  bool isNew = false;
  return static_cast<std::uint32_t>(entries_.Add(content, isNew));
}

std::uint32_t TXLSXSharedStrings_Export::AddCell(const TExportCellString& cell) {
  if (cell.HasRichText()) return Add(BuildEntry(cell));
  const TPackedText& text = cell.GetValueShared();
  auto found = byText_.find(text.Identity());
  if (found != byText_.end()) return found->second;
  const std::uint32_t index = Add(BuildEntry(cell));
  // Only a text other cells share is remembered (and kept): a cell's text of its own, such as
  // every text of rows written by event, is met once, and keeping it would hold the sheet's
  // texts until the export ends.
  if (text.Shared()) {
    byText_.emplace(text.Identity(), index);
    texts_.push_back(text);
  }
  return index;
}

std::string TXLSXSharedStrings_Export::BuildEntry(const TExportCellString& cell) {
  std::string out;
  if (!cell.HasRichText()) {
    AppendT(out, cell.GetValueShared().View(scratch_));
    return out;
  }
  // The tags exist once HasRichText says so; asking for them creates nothing.
  TStringRichTextTags& tags = const_cast<TExportCellString&>(cell).GetRichTextTags();
  TStringRichTextTagTextList runs;
  tags.BuildTextList(cell.GetValueShared().View(scratch_), runs, false);
  for (int i = 0; i < runs.Count(); ++i) {
    const TStringRichTextTagTextList_Entry& run = runs.GetEntry(i);
    out += "<r>";
    if (run.Font) out += run.Font->WriteXLSXRun();
    AppendT(out, run.Text);
    out += "</r>";
  }
  return out;
}

void TXLSXSharedStrings_Export::WriteXLSX(TZipArchive& zip, bool compress,
                                          TWorkbook& workbook) const {
  TExporterXLSX_MemoryStreamList parts(&workbook);
  // The text of the part being gathered.
  std::string text;
  auto flush = [&]() {
    parts.AddBytes(text.data(), text.size(), compress);
    text.clear();
  };
  const std::string count = std::to_string(Count());
  text += kXLSXDeclarationLine;
  text += "<sst xmlns=\"";
  text += kXLSXMainNS;
  text += "\" count=\"" + count + "\" uniqueCount=\"" + count + "\">";
  for (std::int32_t i = 0; i < entries_.Count(); ++i) {
    if (i % kEntriesPerPart == 0) {
      if (i > 0) flush();
      workbook.DoProgress(wpsSharedStrings, i, entries_.Count(), u"");
    }
    text += "<si>";
    text += entries_.Get(i);
    text += "</si>";
  }
  text += "</sst>";
  flush();
  workbook.DoProgress(wpsSharedStrings, 1, 1, u"");
  parts.AddToZip(zip, u"xl\\sharedStrings.xml");
}

}  // namespace workbook
