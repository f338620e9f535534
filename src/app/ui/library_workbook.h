#pragma once
// The import's view of the spreadsheet library's workbook.
#include <memory>

#include "app/statement/import_workbook.h"

namespace workbook {
class TWorkbook;
}

namespace app {

class TLibraryWorkbook : public IImportWorkbook {
 public:
  // The library's date and time format globals must be set before.
  TLibraryWorkbook();
  ~TLibraryWorkbook() override;

  workbook::TWorkbook& Workbook() { return *workbook_; }

  void LoadFromFile(const std::u16string& fileName) override;
  int SheetCount() const override;
  std::u16string SheetName(int sheet) const override;
  std::int64_t RowCount(int sheet) const override;
  std::int64_t CellCount(int sheet, std::int64_t row) const override;
  std::u16string CellText(int sheet, std::int64_t row, std::int64_t cell) const override;

 private:
  std::unique_ptr<workbook::TWorkbook> workbook_;
};

}  // namespace app
