#pragma once
// What the import reads of a workbook: its worksheets' names, rows and cell value texts. The main
// window owns one for the whole run; a load replaces its content.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace app {

class IImportWorkbook {
 public:
  virtual ~IImportWorkbook() = default;
  // Replaces the content with the file's worksheets; raises the library's exceptions for a file
  // no format handler takes or whose content is damaged.
  virtual void LoadFromFile(const std::u16string& fileName) = 0;
  virtual int SheetCount() const = 0;
  virtual std::u16string SheetName(int sheet) const = 0;
  virtual std::int64_t RowCount(int sheet) const = 0;
  virtual std::int64_t CellCount(int sheet, std::int64_t row) const = 0;
  // The cell's value as invariant text: strings as stored, numbers with a point, ISO dates.
  virtual std::u16string CellText(int sheet, std::int64_t row, std::int64_t cell) const = 0;
};

// Makes the main window's workbook when set (tests give their own); by default the main window
// makes the spreadsheet library's.
using TWorkbookFactory = std::function<std::unique_ptr<IImportWorkbook>()>;
TWorkbookFactory& WorkbookFactory();

}  // namespace app
