#pragma once
// The platform services on Qt: the real dialogs, message boxes, browser and event loop.
#include <memory>

#include "platform/services.h"

namespace platform {

class TQtFileDialogs : public IFileDialogs {
 public:
  std::optional<std::string> OpenFile(const std::u16string& filter) override;
  std::optional<std::string> SaveFile(const std::u16string& filter) override;
};

class TQtMessageBoxes : public IMessageBoxes {
 public:
  TMsgResult Show(const std::u16string& text, const std::u16string& caption, TMsgButtons buttons,
                  TMsgIcon icon) override;
};

class TQtShell : public IShell {
 public:
  bool Open(const std::string& target) override;
};

class TQtEventPump : public IEventPump {
 public:
  void ProcessMessages() override;
};

// All real services of the process, console runner, version and schema validation included.
class TRealServices {
 public:
  TRealServices();
  ~TRealServices();
  TRealServices(const TRealServices&) = delete;
  TRealServices& operator=(const TRealServices&) = delete;
  // Makes them the process's services.
  void Install();

 private:
  struct TImpl;
  std::unique_ptr<TImpl> impl_;
};

}  // namespace platform
