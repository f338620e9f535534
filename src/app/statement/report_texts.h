#pragma once
// The fixed texts the report commands show or use, in the application's Windows-1250 text.
#include <string>

namespace app {

// Refusal of the exports and the VAT-ID check before an import: text and caption.
std::string NoInputLoadedText();     // "Nie je načítaný vstupný súbor"
std::string NoInputLoadedCaption();  // "Upozornenie"

// Save and open dialog filters.
std::string XmlFileFilter();      // "XML súbor (*.xml)|*.xml"
std::string TxtFileFilter();      // "TXT súbor (*.txt)|*.txt"
std::string SumsFileFilter();     // "CSV súbor (*.csv)|*.csv"
std::string VATListFileFilter();  // "CSV súbory (*.csv)|*.csv"

// Result of the control-statement export: "Súbor XML bol uložený do " + the file name written.
std::string XmlSavedText(const std::string& fileName);
std::string XmlSavedCaption();  // "Výsledok exportu XML"

// The browser could not be started for the VAT-payer lists' address: the text names the address
// so the user can open it by hand; shown with NoInputLoadedCaption.
std::string BrowserFailedText(const std::string& address);

// Caption of the VAT-ID check's report.
std::string VATCheckCaption();  // "Výsledok kontroly IČ DPH"

}  // namespace app
