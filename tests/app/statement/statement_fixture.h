#pragma once
// Statement data shared by the report tests: records that fill every section, and helpers to
// read the written documents back.
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/statement/data.h"
#include "app/statement/text_lines.h"
#include "support/thrown.h"

namespace app::test {

// Windows-1250 text from a UTF-8 literal.
std::string Cp(const char* utf8);

// The rows of tests/data/statement/full_statement.tsv: two or so records of every section, each
// as its section and its field texts in record field order.
std::vector<std::pair<TSection, std::vector<std::string>>> FullStatementRows();
// Header, taxpayer and the records of FullStatementRows (the values of
// tests/data/statement/make_goldens.py).
std::unique_ptr<TData> FullStatement();

// The declaration date of the EC-sales-list goldens.
inline constexpr std::chrono::year_month_day kToday{std::chrono::year{2024}, std::chrono::January,
                                                    std::chrono::day{9}};

template <class Record>
Record& Add(TRecordArray<Record>& rows, Record record) {
  rows.push_back(std::make_unique<Record>(std::move(record)));
  return *rows.back();
}

// A row's field texts in record field order from (field name, text) pairs, the names as the
// section's column keys spell them after the dash; fields not named are empty.
std::vector<std::string> FieldTexts(TSection section,
                                    const std::vector<std::pair<std::string, std::string>>& cells);

// "text=result" pairs separated by blanks, as compact case tables write them ("text=" for a
// rejected text).
std::vector<std::pair<std::string, std::string>> TextPairs(const std::string& table);

// A fresh, empty folder of the running test below the build folder.
std::filesystem::path TestFolder();

// The bytes of a file, or empty with a failed assertion when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// The bytes of a golden document of tests/data/statement.
std::string Golden(const std::string& name);

// The first line starting with the text, or "<none>".
std::string LineStartingWith(const TTextLines& lines, std::string_view start);
// Whether the lines hold the block as one run.
bool HasBlock(const TTextLines& lines, const TTextLines& block);
// Whether libxml2 reads the bytes as a well-formed document.
bool WellFormed(const std::string& bytes);

}  // namespace app::test
