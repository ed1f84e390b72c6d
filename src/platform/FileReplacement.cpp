#include "platform/FileReplacement.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace volmograph {

namespace fs = std::filesystem;

std::string ResolveLinks(const std::string& path) {
  fs::path target = path;
  std::error_code error;
  for (int hops = 0; hops < 40 && fs::is_symlink(target, error); ++hops) {
    const fs::path link = fs::read_symlink(target, error);
    if (error) {
      break;
    }
    target = link.is_absolute() ? link : target.parent_path() / link;
  }
  return target.string();
}

bool IsWriteProtected(const std::string& path, unsigned mode) {
  return (mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

std::string ReplaceRefusal(const std::string& path) {
  struct stat info {};
  int refusal = 0;
  if (::lstat(path.c_str(), &info) != 0) {
    return {};  // nothing there yet: the write creates it (or reports why it cannot)
  }
  if (S_ISLNK(info.st_mode)) {
    refusal = ELOOP;  // ResolveLinks gave up: replacing the link would cut the chain
  } else if (S_ISDIR(info.st_mode)) {
    refusal = EISDIR;
  } else if (!S_ISREG(info.st_mode)) {
    return "Not a regular file";
  } else if (IsWriteProtected(path, info.st_mode)) {
    refusal = EACCES;
  }
  return refusal == 0 ? std::string() : std::generic_category().message(refusal);
}

}  // namespace volmograph
