#pragma once
// Scripted stand-ins for the platform services: tests queue the answers the user or the system
// would give, and read back what the program asked and showed.
#include <deque>
#include <functional>
#include <vector>

#include "platform/services.h"

namespace platform {

class TScriptedDialogs : public IFileDialogs {
 public:
  struct TCall {
    std::u16string Filter;
  };
  // Queues the next answer; std::nullopt is a cancelled dialog.
  void Answer(std::optional<std::string> path) { answers_.push_back(std::move(path)); }
  std::optional<std::string> OpenFile(const std::u16string& filter) override {
    return Next(filter);
  }
  std::optional<std::string> SaveFile(const std::u16string& filter) override {
    return Next(filter);
  }
  std::vector<TCall> Calls;

 private:
  std::optional<std::string> Next(const std::u16string& filter);
  std::deque<std::optional<std::string>> answers_;
};

class TRecordingMessageBoxes : public IMessageBoxes {
 public:
  struct TShown {
    std::u16string Text;
    std::u16string Caption;
    TMsgIcon Icon;
  };
  // Records the box; the user gives the next queued answer, else presses OK (or Yes).
  TMsgResult Show(const std::u16string& text, const std::u16string& caption, TMsgButtons buttons,
                  TMsgIcon icon) override;
  std::vector<TShown> Shown;
  std::deque<TMsgResult> Answers;
};

class TRecordingShell : public IShell {
 public:
  bool Open(const std::string& target) override {
    Opened.push_back(target);
    return Starts;
  }
  std::vector<std::string> Opened;
  bool Starts = true;  // false: as if no browser could be started
};

class TScriptedConsole : public IConsoleRunner {
 public:
  struct TRun {
    std::vector<std::string> Arguments;
    std::string Folder;
  };
  std::string Run(const std::vector<std::string>& arguments, const std::string& folder) override {
    Runs.push_back({arguments, folder});
    return Output;
  }
  std::string Output;
  std::vector<TRun> Runs;
};

class TScriptedOsVersion : public IOsVersion {
 public:
  explicit TScriptedOsVersion(bool windows8) : windows8_(windows8) {}
  bool IsWindows8OrGreater() override { return windows8_; }

 private:
  bool windows8_;
};

class TCountingEventPump : public IEventPump {
 public:
  void ProcessMessages() override {
    ++Calls;
    if (User) User();
  }
  int Calls = 0;
  std::function<void()> User;  // what the user does while the events are handled
};

// Installs a set of services for the lifetime of a test and restores the previous ones after.
class TServicesScope {
 public:
  explicit TServicesScope(const TServices& services) : saved_(Services()) { Services() = services; }
  ~TServicesScope() { Services() = saved_; }
  TServicesScope(const TServicesScope&) = delete;
  TServicesScope& operator=(const TServicesScope&) = delete;

 private:
  TServices saved_;
};

}  // namespace platform
