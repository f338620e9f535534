#include "workbook/formats/xlsx/xlsx_number_formats.h"

#include <algorithm>

#include "workbook/model/format_code_pool.h"

namespace workbook {

namespace {

struct TBuiltIn {
  std::int32_t id;
  const char16_t* code;
};

constexpr TBuiltIn kBuiltIns[] = {
    {0, u""},
    {1, u"0"},
    {2, u"0.00"},
    {3, u"#,##0"},
    {4, u"#,##0.00"},
    {9, u"0%"},
    {10, u"0.00%"},
    {11, u"0.00E+00"},
    {12, u"# ?/?"},
    {13, u"# ?\?/??"},
    {14, u"%sysdate%"},
    {15, u"d-mmm-yy"},
    {16, u"d-mmm"},
    {17, u"mmm-yy"},
    {18, u"h:mm am/pm"},
    {19, u"h:mm:ss am/pm"},
    {20, u"h:mm"},
    {21, u"h:mm:ss"},
    {22, u"%sysdatetimews%"},
    {37, u"#,##0 ;(#,##0)"},
    {38, u"#,##0 ;[Red](#,##0)"},
    {39, u"#,##0.00;(#,##0.00)"},
    {40, u"#,##0.00;[Red](#,##0.00)"},
    {45, u"mm:ss"},
    {46, u"[h]:mm:ss"},
    {47, u"mmss.0"},
    {48, u"##0.0E+0"},
    {49, u"@"},
};

constexpr std::int32_t kFirstCustomId = 165;

}  // namespace

void TExporterXLSX_NumberFormat::Parse() {
  if (parsed_) return;
  parsed_ = true;
  // The placeholders of the system formats are date codes whatever the system spells.
  const bool systemDate = !code_.empty() && code_.front() == u'%';
  const TNumberFormatClass kind =
      systemDate ? TNumberFormatClass::DateTime : ParseNumberFormat(code_, format_);
  cellClass_ = CellClassOfNumberFormat(kind);
  general_ = IsGeneralFormatCode(code_);
  if (!general_) internedCode_ = InternFormatCode(code_);
}

TCellClass TExporterXLSX_NumberFormat::CellClass() {
  Parse();
  return cellClass_;
}

const TNumberFormatRec& TExporterXLSX_NumberFormat::Format() {
  Parse();
  return format_;
}

void TExporterXLSX_NumberFormats::ResetBuiltIns() {
  items_.clear();
  byId_.clear();
  maxId_ = 0;
  codes_.Clear();
  codeIds_.clear();
  for (const TBuiltIn& builtIn : kBuiltIns) Add(builtIn.id, builtIn.code);
}

void TExporterXLSX_NumberFormats::Add(std::int32_t id, std::u16string code) {
  bool isNew = false;
  codes_.Add(code, isNew);
  if (isNew) codeIds_.push_back(id);
  items_.push_back(std::make_unique<TExporterXLSX_NumberFormat>(id, std::move(code)));
  byId_[id] = items_.back().get();
  maxId_ = std::max(maxId_, id);
}

TExporterXLSX_NumberFormat* TExporterXLSX_NumberFormats::FindById(std::int32_t id) {
  const auto found = byId_.find(id);
  return found == byId_.end() ? nullptr : found->second;
}

std::int32_t TExporterXLSX_NumberFormats::GetFormatId(const std::u16string& code) {
  const std::int32_t known = codes_.IndexOf(code);
  if (known >= 0) return codeIds_[static_cast<std::size_t>(known)];
  const std::int32_t id = std::max(maxId_ + 1, kFirstCustomId);
  Add(id, code);
  return id;
}

}  // namespace workbook
