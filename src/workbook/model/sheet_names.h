#pragma once
// The sheet names a writer puts in a file. Spreadsheet programs refuse (or rename) sheets whose
// names hold [ ] : * ? / \, begin or end with an apostrophe, are blank, are longer than 31 units
// or repeat another sheet's name in any letter case; every writer writes the names this gives, so
// one workbook carries the same names in every format.
#include <string>
#include <string_view>
#include <vector>

namespace workbook {

class TExportWorkSheets;

// One name per worksheet, in order: each forbidden character and an apostrophe at either end
// become "-", the name is cut to 31 units (never inside a surrogate pair), a blank name becomes
// "Sheet" + its 1-based position, and a name met before gets " (2)", " (3)" ... within the limit.
// A name that already follows the rule is kept as it is.
std::vector<std::u16string> WritableSheetNames(const TExportWorkSheets& sheets);

// Reference texts (one or more joined by ",") with the sheet prefix 'From'! replaced by 'To'!, so
// references follow a sheet whose written name differs from its own.
std::u16string RenameSheetInRefs(std::u16string_view references, std::u16string_view from,
                                 std::u16string_view to);

}  // namespace workbook
