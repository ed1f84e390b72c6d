#include "link/PortHolders.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace volmograph {

namespace {

constexpr auto kSecondLook = std::chrono::milliseconds(50);

// Entries of a folder; empty when it cannot be read.
std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) {
    return names;
  }
  while (const dirent* entry = ::readdir(dir)) {
    names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  return names;
}

// A process folder's name: a positive decimal pid.
int PidOf(const std::string& name) {
  if (name.empty() || name.size() > 9 ||
      !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return 0;
  }
  return std::atoi(name.c_str());
}

}  // namespace

std::optional<dev_t> CharacterDeviceId(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISCHR(info.st_mode)) {
    return std::nullopt;
  }
  return info.st_rdev;
}

bool IsKnownNonTerminal(dev_t device) {
  const std::string link = "/sys/dev/char/" + std::to_string(major(device)) + ":" +
                           std::to_string(minor(device)) + "/subsystem";
  std::error_code error;
  const std::filesystem::path target = std::filesystem::read_symlink(link, error);
  return !error && target.filename() != "tty";
}

std::vector<PortHolder> FindPortHolders(const std::string& procRoot,
                                        const std::vector<dev_t>& devices, int self) {
  std::vector<PortHolder> holders;
  for (const std::string& name : FolderNames(procRoot)) {
    const int pid = PidOf(name);
    if (pid <= 0 || pid == self) {
      continue;
    }
    const std::string fdFolder = procRoot + "/" + name + "/fd";
    std::vector<dev_t> found;
    for (const std::string& fd : FolderNames(fdFolder)) {
      const std::optional<dev_t> device = CharacterDeviceId(fdFolder + "/" + fd);
      if (device && std::find(devices.begin(), devices.end(), *device) != devices.end() &&
          std::find(found.begin(), found.end(), *device) == found.end()) {
        found.push_back(*device);
        holders.push_back(PortHolder{*device, pid, ProgramName(procRoot, pid)});
      }
    }
  }
  return holders;
}

std::optional<PortHolder> LastingHolder(const std::string& procRoot, dev_t device, int self) {
  const std::vector<PortHolder> first = FindPortHolders(procRoot, {device}, self);
  if (first.empty()) {
    return std::nullopt;
  }
  std::this_thread::sleep_for(kSecondLook);
  for (const PortHolder& holder : FindPortHolders(procRoot, {device}, self)) {
    for (const PortHolder& earlier : first) {
      if (earlier.pid == holder.pid) {
        return holder;
      }
    }
  }
  return std::nullopt;
}

std::string ProgramName(const std::string& procRoot, int pid) {
  std::ifstream in(procRoot + "/" + std::to_string(pid) + "/comm");
  std::string name;
  if (!std::getline(in, name) || name.empty()) {
    return "another program";
  }
  // Any process may name itself anything; control characters stay off the user's terminal.
  std::replace_if(
      name.begin(), name.end(), [](char c) { return c >= 0 && c < ' '; }, '?');
  return name;
}

std::string InUseBy(const std::string& program, int pid) {
  return "in use by " + program + ", pid " + std::to_string(pid);
}

}  // namespace volmograph
