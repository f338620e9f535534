#include "workbook/core/library_texts.h"

namespace workbook {

std::u16string WorkbookLng_Worksheet = u"Worksheet";
std::u16string WorkbookLng_AllSupportedFiles = u"All supported files";
std::u16string WorkbookLng_FileNotProcessed =
    u"The file \"%s\" could not be processed.\r\n\r\nThe file extension is not assigned to any "
    u"exporter.";
std::u16string WorkbookLng_ExtensionNotAssigned =
    u"The file extension \"%s\" is not assigned to any exporter.";
std::u16string WorkbookLng_NoExtension = u"Filename does not contain any extension.";
std::u16string WorkbookLng_DrawingNotImage = u"Drawing is not an image";
std::u16string WorkbookLng_InvalidXLS = u"The file is not a valid XLS (Excel 97-2003) file.";
std::u16string WorkbookLng_XLSSheetTooLarge =
    u"The worksheet \"%s\" has cells beyond row 65536 or column 256, which an XLS (Excel 97-2003) "
    u"file cannot hold.";
std::u16string WorkbookLng_XLSTextTooLong =
    u"The worksheet \"%s\" has a text of more than 32767 characters in cell %s, which an XLS "
    u"(Excel 97-2003) file cannot hold.";
std::u16string WorkbookLng_OldXLS =
    u"The file can't be opened because it has an old XLS format (Excel 5.0/95).\r\n\r\nPlease open "
    u"the file in Excel and resave it as XLS for Excel 97-XP or XLSX for Excel 2007-2010.";
std::u16string WorkbookLng_EncryptedFile =
    u"The file is encrypted (protected by a password to open) and can't be read.";
std::u16string WorkbookLng_InvalidXLSX = u"The file is not a valid XLSX (Excel 2007) file.";
std::u16string WorkbookLng_XLSXTextTooLong =
    u"The worksheet \"%s\" has a text of more than 32767 characters in cell %s, which an XLSX "
    u"(Excel 2007) file cannot hold.";
std::u16string WorkbookLng_InvalidODS = u"The file is not a valid ODS (OpenOffice Calc) file.";
std::u16string WorkbookLng_ODSSheetTooLarge =
    u"The worksheet \"%s\" has cells beyond row 1048576 or column 1024, which an ODS (OpenOffice "
    u"Calc) file cannot hold.";
std::u16string WorkbookLng_InvalidZIP = u"The file is not a valid ZIP file.";
std::u16string WorkbookLng_TooManyCells =
    u"The file is too large to load: it holds more than %s cells.";
std::u16string WorkbookLng_TooMuchText =
    u"The file is too large to load: its texts take more than %s MB.";
std::u16string WorkbookLng_PartTooLarge =
    u"The file is too large to load: its part \"%s\" inflates to more than a workbook's part "
    u"holds.";
std::u16string WorkbookLng_PartTooDeep =
    u"The file is too large to load: its part \"%s\" nests elements more than %s levels deep.";
std::u16string WorkbookLng_PackageTooDense =
    u"The file is too large to load: with its part \"%s\" its parts inflate to more than %s "
    u"times the file's size.";
std::u16string WorkbookLng_NoValidFileInZip =
    u"The zipped file does not contain any valid file that could be imported.";
std::u16string WorkbookLng_InvalidPasswordChars =
    u"The password \"%s\" has invalid characters.\r\n\r\nPlease do not use any international "
    u"characters.";
std::u16string WorkbookLng_SelectWorksheet = u"Select worksheet";
std::u16string WorkbookLng_SelectWorksheetPrompt =
    u"The document contains more than one worksheet.\r\nPlease select which worksheet you want to "
    u"export:";
std::u16string WorkbookLng_Export = u"Export";
std::u16string WorkbookLng_Import = u"Import";
std::u16string WorkbookLng_SharedStrings = u"Shared strings";
std::u16string WorkbookLng_Saving = u"Saving";
std::u16string WorkbookLng_Loading = u"Loading";
std::u16string WorkbookLng_Compressing = u"Compressing";
std::u16string WorkbookLng_ExportedRows = u"Exported rows: %s";

std::u16string FormatLibraryText(const std::u16string& text, const std::u16string& arg) {
  std::u16string out = text;
  auto at = out.find(u"%s");
  if (at != std::u16string::npos) out.replace(at, 2, arg);
  return out;
}

std::u16string FormatLibraryText(const std::u16string& text, const std::u16string& arg1,
                                 const std::u16string& arg2) {
  std::u16string out = text;
  auto at = out.find(u"%s");
  if (at == std::u16string::npos) return out;
  out.replace(at, 2, arg1);
  // Looked for after the first argument, which may hold a "%s" of its own.
  at = out.find(u"%s", at + arg1.size());
  if (at != std::u16string::npos) out.replace(at, 2, arg2);
  return out;
}

}  // namespace workbook
