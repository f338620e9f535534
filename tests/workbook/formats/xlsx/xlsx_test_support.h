#pragma once
// Builds small XLSX packages in memory, part by part, and loads them through the XLSX handler.
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../../model/model_fixture.h"
#include "workbook/core/stream.h"
#include "workbook/model/workbook.h"

namespace workbook {

inline const std::string kMainNS = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline const std::string kRelNS =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline const std::string kPackageRelNS =
    "http://schemas.openxmlformats.org/package/2006/relationships";

// Package parts by entry name; Standard() gives the parts a minimal package needs around one
// worksheet part whose sheetData content is given.
struct TXLSXParts {
  std::map<std::string, std::string> Parts;

  static TXLSXParts Standard(const std::string& sheetData,
                             const std::string& sharedStrings = std::string());
  // Lists the sheets (name, worksheet part relative to xl/) in the workbook part in the order
  // given, with relationships rId1, rId2 ..., and DefinedNames after them.
  TXLSXParts& SetSheets(const std::vector<std::pair<std::string, std::string>>& sheets,
                        const std::string& definedNames = std::string());
  TMemoryStream Zip() const;
};

std::string SheetXml(const std::string& sheetData);

class XLSXReaderTest : public ModelTest {
 protected:
  // Loads the package into Book; the handler's exceptions pass through.
  void Load(const TXLSXParts& parts);
  void LoadStream(TStream& stream);
  // The value text of a cell (row and column from 0); "(none)" when there is no such cell.
  std::u16string Text(int sheet, int row, int col);

  std::unique_ptr<TWorkbook> Book;
};

}  // namespace workbook
