#include "bounded_load.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <new>

#include "workbook/core/exceptions.h"

namespace workbook::test {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

void Report(int fd, const std::string& message) {
  std::size_t done = 0;
  while (done < message.size()) {
    const ssize_t n = write(fd, message.data() + done, message.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
}

[[noreturn]] void RunChild(const std::function<void()>& load, std::size_t limitBytes, int fd) {
  if (!kSanitized) {
    const rlimit limit{limitBytes, limitBytes};
    setrlimit(RLIMIT_AS, &limit);
  }
  int code = 0;
  try {
    load();
  } catch (const EWorkbookFileException& e) {
    Report(fd, e.what());
    code = 1;
  } catch (const std::bad_alloc&) {
    code = 2;
  } catch (const std::exception& e) {
    Report(fd, e.what());
    code = 3;
  }
  close(fd);
  _exit(code);
}

}  // namespace

TBoundedLoad LoadBounded(const std::function<void()>& load, std::size_t limitBytes) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    close(pipeFds[0]);
    RunChild(load, limitBytes, pipeFds[1]);
  }
  close(pipeFds[1]);
  TBoundedLoad result;
  char buffer[512];
  ssize_t n;
  while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0)
    result.Message.append(buffer, static_cast<std::size_t>(n));
  close(pipeFds[0]);
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status)) return result;
  static const TLoadOutcome kByCode[] = {TLoadOutcome::Loaded, TLoadOutcome::FileError,
                                         TLoadOutcome::OutOfMemory, TLoadOutcome::OtherError};
  const int code = WEXITSTATUS(status);
  if (code < 0 || code > 3) return result;
  result.Outcome = kByCode[code];
  const auto peakBytes = static_cast<std::size_t>(usage.ru_maxrss) * 1024;
  if (kSanitized && peakBytes > limitBytes) result.Outcome = TLoadOutcome::OutOfMemory;
  return result;
}

std::string OutcomeName(TLoadOutcome outcome) {
  switch (outcome) {
    case TLoadOutcome::Loaded:
      return "loaded";
    case TLoadOutcome::FileError:
      return "file error";
    case TLoadOutcome::OutOfMemory:
      return "out of memory";
    case TLoadOutcome::OtherError:
      return "other error";
    case TLoadOutcome::Crashed:
      break;
  }
  return "crashed";
}

}  // namespace workbook::test
