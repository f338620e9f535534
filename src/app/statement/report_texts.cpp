#include "app/statement/report_texts.h"

#include "platform/text_codec.h"

namespace app {
namespace {

std::string Text(const char* utf8) { return platform::Utf8ToCp1250(utf8); }

}  // namespace

std::string WarningCaption() { return Text("Upozornenie"); }

std::string NoInputLoadedText() { return Text("Nie je načítaný vstupný súbor"); }
std::string ImportFailedText() {
  return Text(
      "Nie je načítaný vstupný súbor: posledný import sa nepodaril. Načítajte vstupný súbor "
      "znova.");
}

std::string ReportErrorsQuestion(int errorRows) {
  return Text(
             "Načítaný vstupný súbor obsahuje chyby uvedené v časti Chybové hlásenia (počet "
             "chybných riadkov: ") +
         std::to_string(errorRows) + Text(").") + "\r\n" +
         Text("Súbor XML s chybami neprejde kontrolou finančnej správy.") + "\r\n\r\n" +
         Text("Chcete ho napriek tomu uložiť?");
}

std::u16string OverwriteQuestion(const std::u16string& fileName) {
  return u"Súbor " + fileName + u" už existuje.\r\n\r\nChcete ho prepísať?";
}

std::string XmlFileFilter() { return Text("XML súbor (*.xml)|*.xml"); }
std::string TxtFileFilter() { return Text("TXT súbor (*.txt)|*.txt"); }
std::string SumsFileFilter() { return Text("CSV súbor (*.csv)|*.csv"); }
std::string VATListFileFilter() { return Text("CSV súbory (*.csv)|*.csv"); }

std::u16string XmlSavedText(const std::u16string& fileName) {
  return u"Súbor XML bol uložený do " + fileName;
}
std::u16string XmlSavedWithErrorsText(const std::u16string& fileName, int errorRows) {
  return u"Súbor XML s chybami bol uložený do " + fileName + u"\r\n\r\nPočet chybných riadkov: " +
         platform::Utf8ToUtf16(std::to_string(errorRows)) + u". Pred podaním výkazu chyby opravte.";
}
std::string XmlSavedCaption() { return Text("Výsledok exportu XML"); }

std::string BrowserFailedText(const std::string& address) {
  return Text("Prehliadač sa nepodarilo spustiť. Zoznamy platiteľov DPH si stiahnite z adresy:") +
         "\r\n\r\n" + address;
}

std::string VATCheckCaption() { return Text("Výsledok kontroly IČ DPH"); }

}  // namespace app
