#include "app/statement/replace_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace app {
namespace {

// The old file's permissions, or the usual ones of a new file.
mode_t NewFileMode(const struct stat* old) {
  if (old) return old->st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

int WriteAll(int fd, std::string_view bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n > 0)
      done += static_cast<std::size_t>(n);
    else if (n == 0)
      return EIO;
    else if (errno != EINTR)
      return errno;
  }
  return 0;
}

}  // namespace

std::optional<TReplaceFailure> ReplaceFileContents(const std::string& path,
                                                   std::string_view bytes) {
  struct stat old {};
  const bool exists = ::stat(path.c_str(), &old) == 0;
  // Its write bits cleared counts too: the superuser may write any file.
  if (exists && ((old.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0))
    return TReplaceFailure{true, EACCES};
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return TReplaceFailure{true, errno};
  int error = WriteAll(fd, bytes);
  if (!error && ::fchmod(fd, NewFileMode(exists ? &old : nullptr)) != 0) error = errno;
  if (!error && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && !error) error = errno;
  if (!error && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (!error) return std::nullopt;
  ::unlink(temp.c_str());
  return TReplaceFailure{false, error};
}

}  // namespace app
