#pragma once
// The fixed texts the report commands show or use, in the application's Windows-1250 text.
#include <string>

namespace app {

std::string WarningCaption();  // "Upozornenie"

// Refusal of the exports and the VAT-ID check before an import, shown with WarningCaption.
std::string NoInputLoadedText();  // "Nie je načítaný vstupný súbor"
// The refusal after an import that failed: its data is gone, so there is nothing to export.
std::string ImportFailedText();

// Asked (with WarningCaption, Yes or No) before an export writes rows the import listed errors
// for; errorRows counts them.
std::string ReportErrorsQuestion(int errorRows);

// Asked (with WarningCaption, Yes or No) before a save replaces an existing file. Texts that name
// a file are UTF-16: a path may hold letters the code page lacks.
std::u16string OverwriteQuestion(const std::u16string& fileName);

// Save and open dialog filters.
std::string XmlFileFilter();      // "XML súbor (*.xml)|*.xml"
std::string TxtFileFilter();      // "TXT súbor (*.txt)|*.txt"
std::string SumsFileFilter();     // "CSV súbor (*.csv)|*.csv"
std::string VATListFileFilter();  // "CSV súbory (*.csv)|*.csv"

// Result of the control-statement export: "Súbor XML bol uložený do " + the file name written.
std::u16string XmlSavedText(const std::u16string& fileName);
std::string XmlSavedCaption();  // "Výsledok exportu XML"
// In place of XmlSavedText when the document holds rows with errors: names their number.
std::u16string XmlSavedWithErrorsText(const std::u16string& fileName, int errorRows);

// The browser could not be started for the VAT-payer lists' address: the text names the address
// so the user can open it by hand; shown with WarningCaption.
std::string BrowserFailedText(const std::string& address);

// Caption of the VAT-ID check's report.
std::string VATCheckCaption();  // "Výsledok kontroly IČ DPH"

}  // namespace app
