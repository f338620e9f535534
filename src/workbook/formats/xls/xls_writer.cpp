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
#include "workbook/formats/xls/xls_sheet_writer.h"
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/formats/xlsx/xlsx_palette.h"
#include "workbook/formats/xlsx/xlsx_style_sheet.h"
#include "workbook/model/cell.h"
#include "workbook/model/row.h"
#include "workbook/model/sheet_names.h"
#include "workbook/model/workbook.h"
#include "workbook/model/worksheet.h"

namespace workbook {

void XLSWriteWorkbookStream(TStream& target, TWorkbook& workbook, TCustomExporterXLS& exporter) {
  exporter.CheckSheetLimits(workbook, WorkbookLng_XLSSheetTooLarge);
  TExporterXLSX_StyleSheet styles(workbook, true);
  TExporterXLSX_Palette palette;
  TXLSSharedStrings_Export sst;

  TMemoryStream head;
  XLSWriteBOF(head, xls_record::kBofWorkbookGlobals);
  if (exporter.IsTemplate()) XLSWriteRecordHeader(head, xls_record::kTemplate, 0);
  XLSWriteRecordHeader(head, xls_record::kWindow1, 18);
  for (std::uint16_t v : {0, 105, 13215, 7005, 0x0038, 0, 0, 1, 600}) XLSWriteWord(head, v);
  XLSWriteRecordHeader(head, xls_record::kDateMode, 2);
  XLSWriteWord(head, workbook.Date1904 ? 1 : 0);

  const std::vector<std::u16string> names = WritableSheetNames(workbook.WorkSheets);
  const int measured = workbook.GetDefaultCharWidth();
  std::vector<std::unique_ptr<TMemoryStream>> sheets;
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
    sheets.push_back(std::make_unique<TMemoryStream>());
    XLSWriteWorksheet(*sheets.back(), sheet, static_cast<int>(i), context);
  }
  workbook.DoProgress(wpsWorkSheet, static_cast<long long>(names.size()),
                      static_cast<long long>(names.size()), u"");

  TMemoryStream globals;
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

  std::vector<std::unique_ptr<TMemoryStream>> sstRecords;
  sst.SaveToRecords(sstRecords);
  const std::int64_t sstPosition = head.Size() + globals.Size();
  std::int64_t globalsEnd = sstPosition;
  for (const auto& r : sstRecords) globalsEnd += r->Size();
  std::unique_ptr<TMemoryStream> extSST;
  if (!sstRecords.empty()) {
    extSST = sst.ExtSSTRecord(static_cast<std::uint32_t>(sstPosition));
    globalsEnd += extSST->Size();
  }
  globalsEnd += 4;  // EOF

  std::int64_t offset = globalsEnd;
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    globals.SetPosition(offsetFields[i]);
    XLSWriteDWord(globals, static_cast<std::uint32_t>(offset));
    offset += sheets[i]->Size();
  }
  target.WriteBuffer(head.Memory(), head.Data().size());
  target.WriteBuffer(globals.Memory(), globals.Data().size());
  for (const auto& r : sstRecords) target.WriteBuffer(r->Memory(), r->Data().size());
  if (extSST) target.WriteBuffer(extSST->Memory(), extSST->Data().size());
  XLSWriteEOF(target);
  for (const auto& sheet : sheets) target.WriteBuffer(sheet->Memory(), sheet->Data().size());
}

}  // namespace workbook
