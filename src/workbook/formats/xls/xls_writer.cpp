#include "workbook/formats/xls/xls_writer.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/xls/xls_exporter.h"
#include "workbook/formats/xls/xls_names_writer.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_shared_strings_writer.h"
#include "workbook/formats/xls/xls_sheet_streams.h"
#include "workbook/formats/xls/xls_sheet_writer.h"
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/formats/xlsx/xlsx_memory_stream_list.h"
#include "workbook/formats/xlsx/xlsx_palette.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/formats/zip/compression_stream.h"
#include "workbook/model/cell.h"
#include "workbook/model/row.h"
#include "workbook/model/sheet_names.h"
#include "workbook/model/workbook.h"
#include "workbook/model/worksheet.h"

namespace workbook {

void XLSWriteWorkbookStream(TExporterXLSX_MemoryStreamList& list, TWorkbook& workbook,
                            TCustomExporterXLS& exporter) {
  exporter.CheckSheetLimits(workbook, WorkbookLng_XLSSheetTooLarge);
  const bool compress = WorkbookCompressTempData;
  TExporterXLSX_StyleSheet styles(workbook, true);
  TExporterXLSX_Palette palette;
  TXLSSharedStrings_Export sst;

  auto head = std::make_unique<TMemoryStream>();
  XLSWriteBOF(*head, xls_record::kBofWorkbookGlobals);
  if (exporter.IsTemplate()) XLSWriteRecordHeader(*head, xls_record::kTemplate, 0);
  XLSWriteRecordHeader(*head, xls_record::kWindow1, 18);
  for (std::uint16_t v : {0, 105, 13215, 7005, 0x0038, 0, 0, 1, 600}) XLSWriteWord(*head, v);
  XLSWriteRecordHeader(*head, xls_record::kDateMode, 2);
  XLSWriteWord(*head, workbook.Date1904 ? 1 : 0);
  const std::int64_t headSize = head->Size();
  list.AddStream(std::move(head));

  const std::vector<std::u16string> names = WritableSheetNames(workbook.WorkSheets);
  const int measured = workbook.GetDefaultCharWidth();
  TXLSSheetStreams sheets(compress);
  for (std::size_t i = 0; i < names.size(); ++i) {
    TExportWorkSheet& sheet = *workbook.WorkSheets.GetItem(static_cast<std::int64_t>(i));
    workbook.DoProgress(wpsWorkSheet, static_cast<long long>(i),
                        static_cast<long long>(names.size()), sheet.Name);
    TXLSSheetWriteContext context{exporter,
                                  styles,
                                  palette,
                                  sst,
                                  measured > 0 ? measured : 7.0,
                                  TCustomExporter::GetDefaultColWidth(sheet)};
    XLSWriteWorksheet(sheets, sheet, static_cast<int>(i), context);
  }
  workbook.DoProgress(wpsWorkSheet, static_cast<long long>(names.size()),
                      static_cast<long long>(names.size()), u"");

  auto owned = std::make_unique<TMemoryStream>();
  TMemoryStream& globals = *owned;
  styles.WriteXLS(globals, palette);
  XLSWriteRecordHeader(globals, xls_record::kStyle, 4);  // Normal
  XLSWriteWord(globals, 0x8000);
  XLSWriteByte(globals, 0);
  XLSWriteByte(globals, 255);
  palette.WritePalette(globals);
  std::vector<std::int64_t> offsetFields;
  for (const std::u16string& name : names) {
    XLSWriteRecordHeader(globals, xls_record::kBoundSheet,
                         static_cast<std::uint16_t>(8 + 2 * name.size()));
    offsetFields.push_back(globals.Position());
    XLSWriteDWord(globals, 0);
    XLSWriteWord(globals, 0);
    XLSWriteString(globals, name, TXLSWriteLength::Byte);
  }
  XLSWriteRecordHeader(globals, xls_record::kSupBook, 4);
  XLSWriteWord(globals, static_cast<std::uint16_t>(names.size()));
  XLSWriteWord(globals, 0x0401);
  XLSWriteRecordHeader(globals, xls_record::kExternSheet,
                       static_cast<std::uint16_t>(2 + 6 * names.size()));
  XLSWriteWord(globals, static_cast<std::uint16_t>(names.size()));
  for (std::size_t i = 0; i < names.size(); ++i) {
    XLSWriteWord(globals, 0);
    XLSWriteWord(globals, static_cast<std::uint16_t>(i));
    XLSWriteWord(globals, static_cast<std::uint16_t>(i));
  }
  XLSWriteNames(globals, workbook);
  list.AddStream(std::move(owned));

  const std::int64_t sstPosition = headSize + globals.Size();
  const int sstFirst = list.Count();
  sst.SaveToRecords(list, compress);
  if (list.Count() > sstFirst)
    list.AddStream(sst.ExtSSTRecord(static_cast<std::uint32_t>(sstPosition)));
  auto eof = std::make_unique<TMemoryStream>();
  XLSWriteEOF(*eof);
  list.AddStream(std::move(eof));

  // The worksheets follow the globals; each BOUNDSHEET learns where its substream starts.
  sheets.MoveTo(list, list.Size(), [&](std::size_t sheet, std::int64_t offset) {
    globals.SetPosition(offsetFields[sheet]);
    XLSWriteDWord(globals, static_cast<std::uint32_t>(offset));
  });
  globals.SetPosition(0);  // the list reads its parts from where they stand
}

}  // namespace workbook
