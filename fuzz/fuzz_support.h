#pragma once
// What the fuzz targets share: the library started once, a load through one handler that lets
// only the library's own failures pass, and valid containers around a fuzzed part.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "workbook/model/custom_exporter.h"

namespace fuzz {

// The handler at a position of the registry (XLSX 0, XLS 1, ODS 2, delimited text 3 to 7,
// zipped CSV 8), the library started on first use.
workbook::TCustomExporter& Handler(int index);

// Loads the bytes into a fresh workbook through the handler. The library's exceptions are the
// expected end of damaged input; any other exception escapes and the fuzzer reports it.
void Load(workbook::TCustomExporter& handler, std::string_view bytes);

// A zip package holding the entries in order.
std::string Zip(const std::vector<std::pair<std::string, std::string>>& entries);

// The parts of a small valid .xlsx package; an empty view takes the sound default part.
struct TXlsxParts {
  std::string_view Sheet{};
  std::string_view SharedStrings{};
  std::string_view Styles{};
};
std::string XlsxPackage(const TXlsxParts& parts);

// A valid .ods package around its content.xml.
std::string OdsPackage(std::string_view content);

// A compound file whose only stream, "Workbook", holds the bytes.
std::string CompoundFile(std::string_view stream);

// Whether libxml2 parses the bytes as a well-formed document (no network, no entities).
bool WellFormed(std::string_view bytes);

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace fuzz
