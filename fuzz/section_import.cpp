// The import of one section's rows: the first byte picks the section, then rows end at LF and
// cells at TAB (UTF-8 text, as a cell's value text would come); the fields take columns 1, 2, ...
// Both reports of what was imported are then checked.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/statement/section_import.h"
#include "app/statement/xml_chars.h"
#include "fuzz_support.h"
#include "platform/text_codec.h"
#include "statement_reports.h"

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const app::TSection section = app::kSections[data[0] % app::kSectionCount];
  app::TData statement;
  const int first = app::FirstSlot(section);
  for (int field = 0; field < app::FieldCount(section); ++field)
    statement.Order.Column[first + field] = field + 1;

  app::TImportLog log;
  app::TSectionImport rows(statement, section);
  std::int64_t number = 0;
  for (std::string_view line : Split(fuzz::Bytes(data + 1, size - 1), '\n')) {
    const std::vector<std::string_view> cells = Split(line, '\t');
    const auto texts = rows.ReadFieldTexts(
        static_cast<std::int32_t>(cells.size()),
        [&](std::int32_t c) { return app::CellTextToCp1250(platform::Utf8ToUtf16(cells[c])); });
    rows.ProcessRow(++number, texts, log);
  }
  rows.Finish(log);
  fuzz::CheckReports(statement);
  return 0;
}
