#pragma once
// Statement data shared by the report tests: records that fill every section, and helpers to
// read the written documents back.
#include <chrono>
#include <memory>
#include <string>

#include "app/statement/data.h"

namespace app::test {

// Windows-1250 text from a UTF-8 literal.
std::string Cp(const char* utf8);

// Header, taxpayer and two or so records of every section (the values of
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

// The bytes of a file, or empty with a failed assertion when it cannot be read.
std::string ReadFileBytes(const std::string& path);

}  // namespace app::test
