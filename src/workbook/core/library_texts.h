#pragma once
// The library's user-visible texts. They are variables so a host can translate them; every user
// reads the variable at the time of use.
#include <string>

namespace workbook {

extern std::u16string WorkbookLng_Worksheet;
extern std::u16string WorkbookLng_AllSupportedFiles;
extern std::u16string WorkbookLng_FileNotProcessed;
extern std::u16string WorkbookLng_ExtensionNotAssigned;
extern std::u16string WorkbookLng_NoExtension;
extern std::u16string WorkbookLng_DrawingNotImage;
extern std::u16string WorkbookLng_InvalidXLS;
extern std::u16string WorkbookLng_OldXLS;
// Writing an .xls file of a worksheet larger than the format; "%s" is the sheet's name.
extern std::u16string WorkbookLng_XLSSheetTooLarge;
// Writing a cell text longer than a cell of the format holds; the sheet's name, then the cell's.
extern std::u16string WorkbookLng_XLSTextTooLong;
// A file protected by a password to open (.xls records, or an Office package kept encrypted in a
// compound file): its content cannot be read.
extern std::u16string WorkbookLng_EncryptedFile;
extern std::u16string WorkbookLng_InvalidXLSX;
extern std::u16string WorkbookLng_XLSXTextTooLong;
extern std::u16string WorkbookLng_InvalidODS;
// Writing an .ods file of a worksheet larger than the format; "%s" is the sheet's name.
extern std::u16string WorkbookLng_ODSSheetTooLarge;
extern std::u16string WorkbookLng_InvalidZIP;
extern std::u16string WorkbookLng_TooManyCells;
extern std::u16string WorkbookLng_TooMuchText;
// A package part that would inflate beyond the load's limits; "%s" is the part's name.
extern std::u16string WorkbookLng_PartTooLarge;
// A part whose elements nest deeper than the reader follows; the part's name, then the depth.
extern std::u16string WorkbookLng_PartTooDeep;
// A package whose parts together inflate beyond the load's ratio to the file's size; the part
// that would go over it, then the ratio.
extern std::u16string WorkbookLng_PackageTooDense;
extern std::u16string WorkbookLng_NoValidFileInZip;
extern std::u16string WorkbookLng_InvalidPasswordChars;
extern std::u16string WorkbookLng_SelectWorksheet;
extern std::u16string WorkbookLng_SelectWorksheetPrompt;
extern std::u16string WorkbookLng_Export;
extern std::u16string WorkbookLng_Import;
extern std::u16string WorkbookLng_SharedStrings;
extern std::u16string WorkbookLng_Saving;
extern std::u16string WorkbookLng_Loading;
extern std::u16string WorkbookLng_Compressing;
extern std::u16string WorkbookLng_ExportedRows;

// Replaces the first "%s" of a library text with arg.
std::u16string FormatLibraryText(const std::u16string& text, const std::u16string& arg);
// Replaces the first "%s" with arg1 and the next one after it with arg2.
std::u16string FormatLibraryText(const std::u16string& text, const std::u16string& arg1,
                                 const std::u16string& arg2);

}  // namespace workbook
