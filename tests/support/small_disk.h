#pragma once
// A disk that fills up: a tmpfs of a few pages mounted on a new folder, for saves that must fail
// cleanly when it is full. Mounting needs the superuser; where it cannot mount, Mounted is false
// and Why says why, for the test's skip message.
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace test_support {

class TSmallDisk {
 public:
  static constexpr std::uintmax_t kPage = 4096;

  // Room for pages of 4 KB (tmpfs keeps whole pages, also for a file of one byte).
  explicit TSmallDisk(std::uintmax_t pages) {
    std::string pattern = (std::filesystem::temp_directory_path() / "smalldiskXXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
      why_ = std::string("mkdtemp: ") + std::strerror(errno);
      return;
    }
    path_ = pattern;
    const std::string options = "size=" + std::to_string(pages * kPage);
    if (::mount("tmpfs", path_.c_str(), "tmpfs", 0, options.c_str()) != 0)
      why_ = "cannot mount a tmpfs of " + std::to_string(pages) + " pages on " + path_ + " (" +
             std::strerror(errno) + "): a full disk is tested only where the tests may mount";
    else
      mounted_ = true;
  }
  ~TSmallDisk() {
    if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
    if (!path_.empty()) ::rmdir(path_.c_str());
  }
  TSmallDisk(const TSmallDisk&) = delete;
  TSmallDisk& operator=(const TSmallDisk&) = delete;

  bool Mounted() const { return mounted_; }
  const std::string& Why() const { return why_; }
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // The names in the folder, sorted.
  std::string Listing() const {
    std::string names;
    std::error_code ignored;
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(path_, ignored))
      found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    for (const std::string& name : found) names += (names.empty() ? "" : " ") + name;
    return names;
  }

 private:
  std::string path_;
  std::string why_;
  bool mounted_ = false;
};

}  // namespace test_support
