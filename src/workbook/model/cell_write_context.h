#pragma once
// What a cell needs from the format writer that writes it: the writer keeps the shared-string
// table, the sheet's hyperlink list and the calculation chain; the cell only reports to them.
#include <cstdint>
#include <string>

namespace workbook {

class TExportCellString;

class TCellWriteContext {
 public:
  virtual ~TCellWriteContext() = default;
  // The index of the cell's text (with its rich-text runs) in the shared-string table.
  virtual std::uint32_t SharedStringIndex(const TExportCellString& cell) = 0;
  // XLSX: a hyperlink of the cell range Ref to Target, for the sheet's hyperlinks element.
  virtual void AddHyperlink(const std::u16string& ref, const std::u16string& target) {
    (void)ref;
    (void)target;
  }
  // XLSX: a formula cell for the calculation chain.
  virtual void AddCalcChainItem(const std::u16string& ref) { (void)ref; }
};

}  // namespace workbook
