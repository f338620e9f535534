#include "workbook/formats/text/zip_csv_exporter.h"

#include <memory>

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/exporter_registry.h"
#include "workbook/formats/text/text_exporter.h"
#include "workbook/formats/zip/compression_stream.h"
#include "workbook/formats/zip/zip_archive.h"

namespace workbook {

TExporterZIPCSV::TExporterZIPCSV() {
  Description = u"Zipped CSV";
  Extensions = {u"zip"};
  TExporterCSVExcel* excel = nullptr;
  if (FindRegisteredExporter(excel))
    inner_ = excel;
  else
    FindExporterForExtension(u"csv", inner_);
}

void TExporterZIPCSV::ExportToStream(TStream& stream, TWorkbook& workbook) {
  TCustomExporter::ExportToStream(stream, workbook);
  if (!inner_)
    throw EWorkbookException(u"Zipped CSV: no handler for the \"csv\" extension is registered.");
  TZipArchive zip(stream, TZipArchiveMode::Create);
  const std::u16string name = u"data." + inner_->Extensions.front();
  TMemoryStream content;
  if (WorkbookCompressTempData) {
    // The text is held deflated and goes into the archive as it is.
    TCompressionStream packer(content);
    inner_->ExportToStream(packer, workbook);
    packer.Finish();
    zip.AddDeflated(name, {&content});
  } else {
    inner_->ExportToStream(content, workbook);
    content.SetPosition(0);
    zip.AddFile(name, content);
  }
}

void TExporterZIPCSV::ImportFromStream(TStream& stream, TWorkbook& workbook) {
  TCustomExporter::ImportFromStream(stream, workbook);
  try {
    TZipArchive zip(stream, TZipArchiveMode::Read);
    for (int i = 0; i < zip.GetCount(); ++i) {
      TCustomExporter* exporter = nullptr;
      // An archive inside the archive is not opened: nesting could go on without end.
      if (!FindExporterForFile(zip.GetFileName(i), exporter) ||
          dynamic_cast<TExporterZIPCSV*>(exporter))
        continue;
      std::unique_ptr<TMemoryStream> entry;
      std::int64_t size = 0;
      if (!zip.ExtractIndexToMemoryStream(i, entry, size))
        throw EWorkbookFileException(WorkbookLng_InvalidZIP);
      entry->SetPosition(0);
      exporter->ImportFromStream(*entry, workbook);
      return;
    }
  } catch (const EZipFileInvalid&) {
    throw EWorkbookFileException(WorkbookLng_InvalidZIP);
  }
  throw EWorkbookFileException(WorkbookLng_NoValidFileInZip);
}

}  // namespace workbook
