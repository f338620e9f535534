#include "support/scripted_services.h"

#include <filesystem>

namespace platform {

std::optional<std::string> TScriptedDialogs::Next(const std::u16string& filter) {
  Calls.push_back({filter});
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

TMsgResult TRecordingMessageBoxes::Show(const std::u16string& text, const std::u16string& caption,
                                        TMsgButtons buttons, TMsgIcon icon) {
  Shown.push_back({text, caption, icon});
  if (!Answers.empty()) {
    const TMsgResult answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  return buttons == TMsgButtons::YesNo || buttons == TMsgButtons::YesNoCancel ? TMsgResult::Yes
                                                                              : TMsgResult::OK;
}

}  // namespace platform
