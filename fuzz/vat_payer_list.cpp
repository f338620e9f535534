// A VAT-payer list file, then the check of a few statement IDs against it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "app/statement/errors.h"
#include "app/statement/vat_check.h"
#include "app/statement/vat_payer_list.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const app::TData statement = [] {
    app::TData d;
    for (const char* id : {"SK2020000001", "SK9999999999", "SK", "SKabc"}) {
      auto record = std::make_unique<app::tDataA2>();
      record->Odb = id;
      d.RowsA2.push_back(std::move(record));
    }
    return d;
  }();
  std::istringstream in(std::string(fuzz::Bytes(data, size)));
  try {
    if (const auto list = app::ReadVATList(in)) app::VATCheck(list->Kind, list->Entries, statement);
  } catch (const app::EAppException&) {
    // a line without a number: the command shows the conversion error
  }
  return 0;
}
