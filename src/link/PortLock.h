#pragma once

// UUCP lock files: the convention by which serial programs tell each other that a device is
// in use. The file is LCK..NAME in the lock folder (normally /var/lock), NAME being the base
// name of the device once symbolic links are resolved (LCK..ttyUSB0). It holds the owner's
// pid in HDB form: ten right-aligned ASCII digits and a newline. Older programs wrote the
// pid as a 4-byte binary integer; both are read. A lock naming a process that no longer
// exists is stale and may be removed.

#include <optional>
#include <string>

namespace volmograph {

class PortLock {
 public:
  enum class Result {
    Taken,        // the lock file is ours until Release
    NotTaken,     // no writable lock folder, or a stale lock we may not remove: go on without
    HeldByOther,  // a live process holds the lock: see HolderPid
    HeldHere,     // this process holds it already, through another open of the device
    Unreadable,   // no pid can be read at the lock path (garbage, a symbolic link)
  };

  PortLock() = default;
  ~PortLock() { Release(); }
  PortLock(PortLock&& other) noexcept;
  PortLock& operator=(PortLock&& other) noexcept;
  PortLock(const PortLock&) = delete;
  PortLock& operator=(const PortLock&) = delete;

  // Honours an existing lock (clearing a stale one) and takes the lock for `devicePath` in
  // `lockFolder`. Creation is atomic (a complete temporary file is hard-linked into place),
  // and nothing at the lock path is ever followed or overwritten.
  Result Acquire(const std::string& lockFolder, const std::string& devicePath);
  // Removes the lock file if it is ours and still names this process.
  void Release();

  bool Held() const { return m_held; }
  int HolderPid() const { return m_holder; }
  const std::string& LockPath() const { return m_path; }

 private:
  std::optional<Result> Obstacle();

  std::string m_path;
  bool m_held = false;
  int m_holder = 0;
};

// The lock file's path for a device: FOLDER/LCK..NAME.
std::string LockFilePath(const std::string& lockFolder, const std::string& devicePath);

// The pid of the live process that the device's lock file names, or 0 when there is none.
int LiveLockHolder(const std::string& lockFolder, const std::string& devicePath);

}  // namespace volmograph
