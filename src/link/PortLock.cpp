#include "link/PortLock.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <utility>

namespace volmograph {

namespace {

// Another program may have created its lock but not yet written its pid.
constexpr auto kWriterPatience = std::chrono::milliseconds(50);
constexpr int kAttempts = 3;

enum class LockContent { Missing, Pid, Invalid };

struct ExistingLock {
  LockContent content = LockContent::Missing;
  int pid = 0;
  dev_t device = 0;
  ino_t inode = 0;
};

// Lock paths this process holds, so that a lock naming our own pid can be told from one
// left behind by an earlier process that had the same pid.
std::mutex g_heldMutex;
std::set<std::string>& HeldHere() {
  static std::set<std::string> paths;
  return paths;
}

bool HeldInThisProcess(const std::string& path) {
  std::lock_guard<std::mutex> lock(g_heldMutex);
  return HeldHere().count(path) != 0;
}

void MarkHeld(const std::string& path, bool held) {
  std::lock_guard<std::mutex> lock(g_heldMutex);
  if (held) {
    HeldHere().insert(path);
  } else {
    HeldHere().erase(path);
  }
}

// HDB: blanks, the digits, then the end, blanks or a newline (some programs add their name).
bool ParseAsciiPid(const char* text, std::size_t length, int& pid) {
  std::size_t i = 0;
  while (i < length && text[i] == ' ') {
    ++i;
  }
  long long value = 0;
  const std::size_t first = i;
  while (i < length && text[i] >= '0' && text[i] <= '9' && value <= INT_MAX) {
    value = value * 10 + (text[i] - '0');
    ++i;
  }
  if (i == first || value <= 0 || value > INT_MAX) {
    return false;
  }
  if (i < length && text[i] != ' ' && text[i] != '\n') {
    return false;
  }
  pid = static_cast<int>(value);
  return true;
}

ExistingLock ReadLock(const std::string& path) {
  ExistingLock lock;
  // O_NOFOLLOW: a symbolic link planted at the lock path is not a lock and is never followed.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    lock.content = errno == ENOENT ? LockContent::Missing : LockContent::Invalid;
    return lock;
  }
  lock.content = LockContent::Invalid;
  struct stat info {};
  char text[64] = {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    lock.device = info.st_dev;
    lock.inode = info.st_ino;
    const ssize_t count = ::read(fd, text, sizeof text);
    int binary = 0;
    if (count > 0 && ParseAsciiPid(text, static_cast<std::size_t>(count), lock.pid)) {
      lock.content = LockContent::Pid;
    } else if (count == static_cast<ssize_t>(sizeof binary)) {
      std::memcpy(&binary, text, sizeof binary);
      if (binary > 0) {
        lock.pid = binary;
        lock.content = LockContent::Pid;
      }
    }
  }
  ::close(fd);
  return lock;
}

bool ProcessAlive(int pid) {
  // EPERM: the process exists but belongs to another user.
  return ::kill(pid, 0) == 0 || errno == EPERM;
}

bool FolderWritable(const std::string& folder) {
  struct stat info {};
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
         ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// Removes a stale lock, unless it has been replaced since it was read.
bool RemoveStale(const std::string& path, const ExistingLock& stale) {
  struct stat now {};
  if (::lstat(path.c_str(), &now) != 0) {
    return errno == ENOENT;
  }
  if (now.st_dev != stale.device || now.st_ino != stale.inode) {
    return true;  // someone else's new lock: the next look judges it
  }
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

enum class Creation { Created, Exists, Failed };

// A complete lock file is written under a temporary name and hard-linked into place, so no
// one ever reads a half-written lock; link() fails rather than replace anything there.
Creation CreateLock(const std::string& folder, const std::string& path) {
  std::string temporary = folder + "/LTMP.XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    return Creation::Failed;
  }
  char text[16];
  const int length = std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(::getpid()));
  const bool written = ::fchmod(fd, 0644) == 0 && ::write(fd, text, length) == length;
  const bool closed = ::close(fd) == 0;
  Creation result = Creation::Failed;
  if (written && closed) {
    if (::link(temporary.c_str(), path.c_str()) == 0) {
      result = Creation::Created;
    } else if (errno == EEXIST) {
      result = Creation::Exists;
    }
  }
  ::unlink(temporary.c_str());
  return result;
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string LockFilePath(const std::string& lockFolder, const std::string& devicePath) {
  // /dev/serial/by-id/... and /dev/ttyUSB0 are the same device and must share one lock.
  std::string resolved = devicePath;
  if (char* real = ::realpath(devicePath.c_str(), nullptr); real != nullptr) {
    resolved = real;
    ::free(real);
  }
  return lockFolder + "/LCK.." + BaseName(resolved);
}

int LiveLockHolder(const std::string& lockFolder, const std::string& devicePath) {
  const ExistingLock lock = ReadLock(LockFilePath(lockFolder, devicePath));
  if (lock.content != LockContent::Pid || !ProcessAlive(lock.pid)) {
    return 0;
  }
  return lock.pid;
}

PortLock::PortLock(PortLock&& other) noexcept
    : m_path(std::move(other.m_path)),
      m_held(std::exchange(other.m_held, false)),
      m_holder(other.m_holder) {}

PortLock& PortLock::operator=(PortLock&& other) noexcept {
  if (this != &other) {
    Release();
    m_path = std::move(other.m_path);
    m_held = std::exchange(other.m_held, false);
    m_holder = other.m_holder;
  }
  return *this;
}

PortLock::Result PortLock::Acquire(const std::string& lockFolder, const std::string& devicePath) {
  Release();
  m_holder = 0;
  m_path = LockFilePath(lockFolder, devicePath);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (const std::optional<Result> obstacle = Obstacle()) {
      return *obstacle;
    }
    if (!FolderWritable(lockFolder)) {
      return Result::NotTaken;
    }
    switch (CreateLock(lockFolder, m_path)) {
      case Creation::Created:
        m_held = true;
        MarkHeld(m_path, true);
        return Result::Taken;
      case Creation::Exists:
        continue;  // another program was quicker: judge its lock
      case Creation::Failed:
        return Result::NotTaken;
    }
  }
  return Result::Unreadable;
}

// Empty when nothing stands in the way: no lock, or a stale one now removed.
std::optional<PortLock::Result> PortLock::Obstacle() {
  ExistingLock lock = ReadLock(m_path);
  if (lock.content == LockContent::Invalid) {
    std::this_thread::sleep_for(kWriterPatience);
    lock = ReadLock(m_path);
  }
  switch (lock.content) {
    case LockContent::Missing:
      return std::nullopt;
    case LockContent::Invalid:
      return Result::Unreadable;
    case LockContent::Pid:
      break;
  }
  if (lock.pid == ::getpid()) {
    if (HeldInThisProcess(m_path)) {
      return Result::HeldHere;
    }
  } else if (ProcessAlive(lock.pid)) {
    m_holder = lock.pid;
    return Result::HeldByOther;
  }
  if (RemoveStale(m_path, lock)) {
    return std::nullopt;
  }
  return Result::NotTaken;
}

void PortLock::Release() {
  if (!m_held) {
    return;
  }
  m_held = false;
  MarkHeld(m_path, false);
  // Someone may have removed our lock and taken the device since; their lock stays.
  const ExistingLock lock = ReadLock(m_path);
  if (lock.content == LockContent::Pid && lock.pid == ::getpid()) {
    ::unlink(m_path.c_str());
  }
}

}  // namespace volmograph
