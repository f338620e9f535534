#include "support/scripted_services.h"

#include <filesystem>

namespace platform {

std::optional<std::string> TScriptedDialogs::Next(bool save, const std::u16string& filter) {
  Calls.push_back({save, filter});
  if (answers_.empty()) return std::nullopt;
  auto answer = std::move(answers_.front());
  answers_.pop_front();
  // The real dialogs make the chosen file's folder current; so does the script.
  if (answer) {
    auto folder = std::filesystem::path(*answer).parent_path();
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::current_path(folder, ignored);
  }
  return answer;
}

std::optional<std::string> TScriptedDialogs::OpenFile(const std::u16string& filter) {
  return Next(false, filter);
}

std::optional<std::string> TScriptedDialogs::SaveFile(const std::u16string& filter) {
  return Next(true, filter);
}

TMsgResult TRecordingMessageBoxes::Show(const std::u16string& text, const std::u16string& caption,
                                        TMsgButtons buttons, TMsgIcon icon) {
  Shown.push_back({text, caption, buttons, icon});
  if (!answers_.empty()) {
    TMsgResult r = answers_.front();
    answers_.pop_front();
    return r;
  }
  return buttons == TMsgButtons::YesNo || buttons == TMsgButtons::YesNoCancel ? TMsgResult::Yes
                                                                              : TMsgResult::OK;
}

}  // namespace platform
