#pragma once
// The operating-system services the application uses, behind small interfaces. The program installs
// the real implementations at start-up; tests install scripted ones.
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Common open and save dialogs. Filters are in the Windows form "Text (*.txt)|*.txt|All|*.*".
// Paths are UTF-8. Like the platform's dialogs, a confirmed choice makes the chosen file's folder
// the current directory.
class IFileDialogs {
 public:
  virtual ~IFileDialogs() = default;
  virtual std::optional<std::string> OpenFile(const std::u16string& filter) = 0;
  virtual std::optional<std::string> SaveFile(const std::u16string& filter) = 0;
};

enum class TMsgIcon { None, Stop, Warning, Information, Question };
enum class TMsgButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class TMsgResult { OK, Cancel, Yes, No };

class IMessageBoxes {
 public:
  virtual ~IMessageBoxes() = default;
  virtual TMsgResult Show(const std::u16string& text, const std::u16string& caption,
                          TMsgButtons buttons, TMsgIcon icon) = 0;
};

class IShell {
 public:
  virtual ~IShell() = default;
  // Opens a document or address with the program the desktop associates with it.
  virtual bool Open(const std::string& target) = 0;
};

class IConsoleRunner {
 public:
  virtual ~IConsoleRunner() = default;
  // Runs the program arguments[0] (looked up on the search path) with the other arguments, hidden,
  // in folder, and returns everything it wrote to standard output and standard error, byte for
  // byte; empty when it cannot start. No shell reads the arguments, so a file name may hold any
  // character.
  virtual std::string Run(const std::vector<std::string>& arguments, const std::string& folder) = 0;
};

class IOsVersion {
 public:
  virtual ~IOsVersion() = default;
  // Whether the in-process schema validation is available (the platform's "Windows 8 or later").
  virtual bool IsWindows8OrGreater() = 0;
};

struct TSchemaVerdict {
  bool Valid = false;
  std::u16string Reason;  // one text when not valid
};

class ISchemaValidator {
 public:
  virtual ~ISchemaValidator() = default;
  // Validates the document against the schema file registered under Namespace. A schema that
  // cannot be read or does not declare Namespace raises EPlatformError.
  virtual TSchemaVerdict Validate(const std::string& schemaFile, const std::string& namespaceUri,
                                  const std::string& documentFile) = 0;
};

class IEventPump {
 public:
  virtual ~IEventPump() = default;
  // Handles the window events that are waiting, so a long command keeps the window alive.
  virtual void ProcessMessages() = 0;
};

struct TServices {
  IFileDialogs* Dialogs = nullptr;
  IMessageBoxes* MessageBoxes = nullptr;
  IShell* Shell = nullptr;
  IConsoleRunner* Console = nullptr;
  IOsVersion* OsVersion = nullptr;
  ISchemaValidator* SchemaValidator = nullptr;
  IEventPump* EventPump = nullptr;
};

// The services of the process; the pointers are not owned.
TServices& Services();

}  // namespace platform
