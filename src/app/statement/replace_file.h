#pragma once
// Files the program rewrites whole (settings.ini, the XML reports, the lists and the sums): the
// new bytes go to a new file beside the old one, which they replace only once they are written
// and on the disk, so a save that fails (a full disk) leaves the old file as it was and no
// partial file behind.
#include <optional>
#include <string>
#include <string_view>

namespace app {

struct TReplaceFailure {
  // Whether the new file could not be made at all (as opposed to written).
  bool Creating = false;
  int Error = 0;  // errno
};

// Writes bytes to path. A read-only file is not replaced (EACCES while creating). The new file
// keeps the old one's permissions, or gets the usual ones of a new file.
std::optional<TReplaceFailure> ReplaceFileContents(const std::string& path, std::string_view bytes);

}  // namespace app
