#pragma once
// The number formats of an XLSX or XLS style sheet: id and code, with the cell class the code
// calls for (parsed on first use). Built-in formats are always present; a file's custom formats
// are added after them.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "workbook/core/hashed_strings.h"
#include "workbook/core/number_format_code.h"
#include "workbook/model/cell_class.h"

namespace workbook {

class TExporterXLSX_NumberFormat {
 public:
  TExporterXLSX_NumberFormat(std::int32_t id, std::u16string code)
      : id_(id), code_(std::move(code)) {}

  std::int32_t Id() const { return id_; }
  const std::u16string& Code() const { return code_; }
  // The class a number of this format becomes; TCellClass::Number for codes naming none.
  TCellClass CellClass();
  const TNumberFormatRec& Format();
  // General (no code, "General" in any case): a cell of this format keeps no code. Asked for
  // every cell read, so answered inline.
  bool IsGeneral() {
    if (!parsed_) Parse();
    return general_;
  }
  // The code as cells hold it, interned once for all the cells a reader gives this format.
  const std::u16string* InternedCode() {
    if (!parsed_) Parse();
    return internedCode_;
  }

 private:
  void Parse();

  std::int32_t id_;
  std::u16string code_;
  bool parsed_ = false;
  bool general_ = false;
  TCellClass cellClass_ = TCellClass::Number;
  TNumberFormatRec format_;
  const std::u16string* internedCode_ = nullptr;
};

// Whether a writer must declare the format with that id: custom ones and the currency ids whose
// codes depend on the locale; readers know the other built-in ones.
inline bool IsWrittenFormatId(std::int32_t id) {
  return id >= 164 || (id >= 5 && id <= 8) || (id >= 41 && id <= 44);
}

class TExporterXLSX_NumberFormats {
 public:
  TExporterXLSX_NumberFormats() { ResetBuiltIns(); }

  // Empties the list and enters the built-in formats again.
  void ResetBuiltIns();
  void Add(std::int32_t id, std::u16string code);
  // The format with that id; a file entry reusing a built-in id wins over the built-in one.
  TExporterXLSX_NumberFormat* FindById(std::int32_t id);
  // The id of code, a new one (the greatest + 1, at least 165) for a code not seen yet.
  std::int32_t GetFormatId(const std::u16string& code);
  int Count() const { return static_cast<int>(items_.size()); }
  const TExporterXLSX_NumberFormat& GetItem(int index) const {
    return *items_.at(static_cast<std::size_t>(index));
  }

 private:
  std::vector<std::unique_ptr<TExporterXLSX_NumberFormat>> items_;
  // Each id's latest entry and the greatest id: a file may hold as many formats as cell formats,
  // and every cell format looks its format up.
  std::unordered_map<std::int32_t, TExporterXLSX_NumberFormat*> byId_;
  std::int32_t maxId_ = 0;
  THashedStrings codes_;
  std::vector<std::int32_t> codeIds_;  // aligned with codes_
};

}  // namespace workbook
