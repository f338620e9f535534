#include "platform/console_runner.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace platform {
namespace {

bool StartsWithIgnoreCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

}  // namespace

std::string StripConsolePrefixes(const std::string& commandLine) {
  static const char* const kPrefixes[] = {"cmd.exe /C ", "cmd.exe /S /K ", "cmd.exe /K ",
                                          "cmd.exe /S /C "};
  std::string rest = commandLine;
  for (bool found = true; found;) {
    found = false;
    for (const char* prefix : kPrefixes) {
      if (StartsWithIgnoreCase(rest, prefix)) {
        rest.erase(0, std::strlen(prefix));
        found = true;
      }
    }
  }
  return rest;
}

std::string TShellConsoleRunner::Run(const std::string& commandLine, const std::string& folder) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addclose(&actions, fds[1]);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());

  std::string script = StripConsolePrefixes(commandLine);
  const char* argv[] = {"/bin/sh", "-c", script.c_str(), nullptr};
  pid_t pid = 0;
  int rc = posix_spawn(&pid, "/bin/sh", &actions, nullptr, const_cast<char* const*>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);  // the child holds its own copy; EOF arrives when it ends

  std::string output;
  if (rc == 0) {
    char buffer[4096];
    for (;;) {
      ssize_t n = read(fds[0], buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      output.append(buffer, static_cast<std::size_t>(n));
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  close(fds[0]);
  return output;
}

}  // namespace platform
