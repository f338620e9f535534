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
// An .xls file protected by a password to open: its records are encrypted and cannot be read.
extern std::u16string WorkbookLng_EncryptedXLS;
extern std::u16string WorkbookLng_InvalidXLSX;
extern std::u16string WorkbookLng_InvalidODS;
extern std::u16string WorkbookLng_InvalidZIP;
extern std::u16string WorkbookLng_TooManyCells;
extern std::u16string WorkbookLng_TooMuchText;
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

}  // namespace workbook
