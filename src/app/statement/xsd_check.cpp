#include "app/statement/xsd_check.h"

#include <filesystem>

#include "platform/services.h"
#include "platform/text_codec.h"

namespace app {
namespace {

const std::u16string kCaption = u"Výsledok kontroly XML";
const std::u16string kValidText = u"Overenie podľa schémy XSD prebehlo bez chýb.";
const std::u16string kInvalidText =
    u"Overenie podľa schémy XSD prebehlo s chybami.\r\n\r\nVýpis chýb:\r\n\r\n";

void Show(const std::u16string& text) {
  platform::Services().MessageBoxes->Show(text, kCaption, platform::TMsgButtons::OK,
                                          platform::TMsgIcon::None);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::string XsdFileName(TKVFormat format) {
  switch (format) {
    case TKVFormat::Format2014:
      return "kv_dph_2014.xsd";
    case TKVFormat::Format2016:
      return "kv_dph_2016.xsd";
    case TKVFormat::Format2017:
      return "kv_dph_2017.xsd";
    case TKVFormat::Format2021:
      break;
  }
  return "kv_dph_2021.xsd";
}

std::vector<std::string> ValidatorArguments(TKVFormat format, const std::string& file) {
  return {"xmlstarlet", "val", "-e", "-s", XsdFileName(format), file};
}

TValidatorVerdict JudgeValidatorOutput(const std::string& output, const std::string& file) {
  std::string_view rest = output;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    std::string_view line = rest.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line == file + " - valid") return TValidatorVerdict::Valid;
    if (StartsWith(line, file + " - invalid")) return TValidatorVerdict::Invalid;
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  return TValidatorVerdict::Unknown;
}

void CheckStatementFile(TKVFormat format, const std::string& file, const std::string& startupDir) {
  platform::TServices& services = platform::Services();
  if (services.OsVersion->IsWindows8OrGreater()) {
    const std::string xsd = (std::filesystem::path(startupDir) / XsdFileName(format)).string();
    platform::TSchemaVerdict verdict =
        services.SchemaValidator->Validate(xsd, KVNamespaceURI(format), file);
    Show(verdict.Valid ? kValidText : kInvalidText + verdict.Reason);
    return;
  }
  std::filesystem::current_path(startupDir);
  const std::string output =
      services.Console->Run(ValidatorArguments(format, file), startupDir + "/");
  switch (JudgeValidatorOutput(output, file)) {
    case TValidatorVerdict::Valid:
      Show(kValidText);
      break;
    case TValidatorVerdict::Invalid:
      Show(kInvalidText + platform::Utf8ToUtf16(output));
      break;
    case TValidatorVerdict::Unknown:
      break;  // no validator, or it failed: nothing to report
  }
}

}  // namespace app
