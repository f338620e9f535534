#include "app/statement/import_sections.h"

#include <algorithm>

#include "app/statement/xml_chars.h"
#include "platform/text_codec.h"

namespace app {
namespace {

void FindSheets(const IImportWorkbook& workbook, TData& data, TImportLog& log) {
  for (TSection section : kSections) {
    const int index = SectionIndex(section);
    data.SheetIndex[index] = kNoSheet;
    const std::u16string wanted = platform::Cp1250ToUtf16(data.Sheets[section]);
    for (int sheet = 0; sheet < workbook.SheetCount(); ++sheet)
      if (workbook.SheetName(sheet) == wanted) data.SheetIndex[index] = sheet;
    if (data.SheetIndex[index] == kNoSheet)
      log.Warnings.push_back(platform::Utf8ToCp1250("Nenájdený hárok pre sekciu ") +
                             std::string(SectionName(section)) + " - " + data.Sheets[section] +
                             ".");
  }
}

TSectionOutcome ReadSection(const IImportWorkbook& workbook, TData& data, TSection section,
                            int sheet, TImportLog& log) {
  TSectionOutcome outcome;
  const std::int64_t n = workbook.RowCount(sheet);
  if (n <= 0) return outcome;
  outcome.HasRows = true;

  const int last = LastRowSetting(data.Header);
  // A hand-edited offset may lie outside the sheet: only rows that exist are asked for.
  const std::int64_t first = std::max<std::int64_t>(data.Offsets[section], 0);
  TSectionImport rows(data, section);
  for (std::int64_t r = first; r <= n - last; ++r) {
    const std::int64_t cells = workbook.CellCount(sheet, r);
    const std::int32_t cellCount =
        static_cast<std::int32_t>(std::min<std::int64_t>(cells, INT32_MAX));
    auto texts = rows.ReadFieldTexts(cellCount, [&](std::int32_t c) {
      return CellTextToCp1250(workbook.CellText(sheet, r, c));
    });
    rows.ProcessRow(r + 1, texts, log);
  }
  rows.Finish(log);

  outcome.Loaded = rows.Loaded();
  outcome.Skipped = rows.Skipped();
  outcome.Errors = rows.Errors();
  // A range that starts past the rows read holds none, never fewer.
  outcome.Total = std::max<std::int64_t>(n - last - first + 1, 0);
  outcome.Sums = rows.Sums();
  return outcome;
}

}  // namespace

int LastRowSetting(const tDataHeader& header) { return header.PoslednyRiadok ? 1 : 2; }

TImportOutcome ImportSections(const IImportWorkbook& workbook, TData& data) {
  TImportOutcome outcome;
  FindSheets(workbook, data, outcome.Log);
  for (TSection section : kSections) {
    const int sheet = data.SheetIndex[SectionIndex(section)];
    if (sheet == kNoSheet) continue;
    auto& result = outcome.Sections[SectionIndex(section)];
    result = ReadSection(workbook, data, section, sheet, outcome.Log);
    data.ErrorRows[SectionIndex(section)] = result->Errors;
  }
  return outcome;
}

}  // namespace app
