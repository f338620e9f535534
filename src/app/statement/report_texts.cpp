#include "app/statement/report_texts.h"

#include "platform/text_codec.h"

namespace app {
namespace {

std::string Text(const char* utf8) { return platform::Utf8ToCp1250(utf8); }

}  // namespace

std::string NoInputLoadedText() { return Text("Nie je načítaný vstupný súbor"); }
std::string NoInputLoadedCaption() { return Text("Upozornenie"); }

std::string XmlFileFilter() { return Text("XML súbor (*.xml)|*.xml"); }
std::string TxtFileFilter() { return Text("TXT súbor (*.txt)|*.txt"); }
std::string SumsFileFilter() { return Text("CSV súbor (*.csv)|*.csv"); }
std::string VATListFileFilter() { return Text("CSV súbory (*.csv)|*.csv"); }

std::string XmlSavedText(const std::string& fileName) {
  return Text("Súbor XML bol uložený do ") + fileName;
}
std::string XmlSavedCaption() { return Text("Výsledok exportu XML"); }

std::string BrowserFailedText(const std::string& address) {
  return Text("Prehliadač sa nepodarilo spustiť. Zoznamy platiteľov DPH si stiahnite z adresy:") +
         "\r\n\r\n" + address;
}

std::string VATCheckCaption() { return Text("Výsledok kontroly IČ DPH"); }

}  // namespace app
