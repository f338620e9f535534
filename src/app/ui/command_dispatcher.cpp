#include "app/ui/command_dispatcher.h"

#include "platform/services.h"
#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"

namespace app {

const std::u16string kApplicationTitle = u"KVDPH";

namespace {

// Exceptions carry UTF-8 text; a message that is not valid UTF-8 came from the application's
// own 8-bit text and is read as Windows-1250.
std::u16string Decode(const char* text) {
  std::string bytes = text ? text : "";
  std::u16string wide = platform::Utf8ToUtf16(bytes);
  if (wide.find(u'\uFFFD') != std::u16string::npos &&
      bytes.find("\xEF\xBF\xBD") == std::string::npos)
    return platform::Cp1250ToUtf16(bytes);
  return wide;
}

}  // namespace

std::u16string ExceptionMessage(const std::exception& e) {
  std::u16string text;
  if (auto* library = dynamic_cast<const workbook::ELibraryException*>(&e))
    text = library->Message();
  else
    text = Decode(e.what());
  if (!text.empty() && text.back() > u'.') text += u'.';
  return text;
}

void ShowException(const std::exception& e) {
  if (dynamic_cast<const EAbort*>(&e)) return;
  platform::Services().MessageBoxes->Show(ExceptionMessage(e), kApplicationTitle,
                                          platform::TMsgButtons::OK, platform::TMsgIcon::Stop);
}

void RunCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& e) {
    ShowException(e);
  }
}

}  // namespace app
