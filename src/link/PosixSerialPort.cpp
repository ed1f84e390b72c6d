#include "link/PosixSerialPort.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "link/PortHolders.h"

namespace volmograph {

namespace {

// Errors by which a tty says its device has gone (USB adapter unplugged, pty master closed).
bool IsGoneError(int error) {
  return error == EIO || error == ENXIO || error == ENODEV || error == EBADF;
}

std::string Busy(const std::string& path, const std::string& why) {
  return SerialOpenFailure(EBUSY, path) + " - " + why;
}

// Two document windows may be pointed at the same port.
constexpr char kHeldByThisProgram[] = "in use by another window of this program";

// Honours the device's lock file and takes it. False with the reason when another program
// holds it; a lock folder we cannot use is passed over.
bool TakeLock(PortLock& lock, const std::string& path, const DeviceRoots& roots,
              std::string& reason) {
  switch (lock.Acquire(roots.lock, path)) {
    case PortLock::Result::Taken:
    case PortLock::Result::NotTaken:
      return true;
    case PortLock::Result::HeldByOther:
      reason = Busy(path, InUseBy(ProgramName(roots.proc, lock.HolderPid()), lock.HolderPid()));
      return false;
    case PortLock::Result::HeldHere:
      reason = Busy(path, kHeldByThisProgram);
      return false;
    case PortLock::Result::Unreadable:
      reason = Busy(path, "locked by " + lock.LockPath() +
                              " (no pid could be read from it); remove it if no program uses"
                              " the port");
      return false;
  }
  return false;
}

// The reason for a busy device: the program that holds it, when it can be seen.
std::string BusyReason(const std::string& path, dev_t device, const DeviceRoots& roots) {
  if (const auto holder = LastingHolder(roots.proc, device, ::getpid())) {
    return Busy(path, InUseBy(holder->program, holder->pid));
  }
  for (const PortHolder& holder : FindPortHolders(roots.proc, {device}, -1)) {
    if (holder.pid == ::getpid()) {
      return Busy(path, kHeldByThisProgram);
    }
  }
  return SerialOpenFailure(EBUSY, path);
}

}  // namespace

std::string DeviceGroup(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    std::vector<char> buffer(4096);
    struct group entry {};
    struct group* found = nullptr;
    if (::getgrgid_r(info.st_gid, &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->gr_name != nullptr) {
      return found->gr_name;
    }
  }
  return "dialout";
}

std::string SerialOpenFailure(int error, const std::string& path) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "Permission denied: " + path + " - the user must be in the group " + DeviceGroup(path);
    case EBUSY:
    case EWOULDBLOCK:
      return "Device or resource busy: " + path;
    case ENOENT:
      return "No such file or directory: " + path;
    case ENXIO:
    case ENODEV:
      return "No such device: " + path;
    case EIO:
      return "Input/output error: " + path + " - no serial hardware answers there";
    case ENOTTY:
      return "Not a serial device: " + path;
    default:
      return std::string(std::strerror(error)) + ": " + path;
  }
}

std::unique_ptr<PosixSerialPort> PosixSerialPort::Open(const std::string& path, std::string& reason,
                                                       const DeviceRoots& roots) {
  // Anything but a character device (missing, a plain file) is left to open() to explain.
  const std::optional<dev_t> device = CharacterDeviceId(path);
  if (device && IsKnownNonTerminal(*device)) {
    reason = SerialOpenFailure(ENOTTY, path);
    return nullptr;
  }
  PortLock lock;
  if (device) {
    if (!TakeLock(lock, path, roots, reason)) {
      return nullptr;
    }
    // TIOCEXCL and flock only stop those who come after us: a terminal program that opened
    // the device first would otherwise split the byte stream with us.
    if (const auto holder = LastingHolder(roots.proc, *device, ::getpid())) {
      reason = Busy(path, InUseBy(holder->program, holder->pid));
      return nullptr;
    }
  }
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    reason = error == EBUSY && device ? BusyReason(path, *device, roots)
                                      : SerialOpenFailure(error, path);
    return nullptr;
  }
  if (::isatty(fd) == 0) {
    ::close(fd);
    reason = SerialOpenFailure(ENOTTY, path);
    return nullptr;
  }
  // flock holds for root too. It comes first: a refused open must not leave TIOCEXCL behind
  // on a line that someone else holds.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    reason = error == EWOULDBLOCK && device ? BusyReason(path, *device, roots)
                                            : SerialOpenFailure(error, path);
    return nullptr;
  }
  // Later opens now fail with EBUSY, except for root.
  ::ioctl(fd, TIOCEXCL);
  return std::unique_ptr<PosixSerialPort>(new PosixSerialPort(fd, path, std::move(lock)));
}

PosixSerialPort::PosixSerialPort(int fd, std::string path, PortLock lock)
    : m_fd(fd), m_path(std::move(path)), m_lock(std::move(lock)) {}

PosixSerialPort::~PosixSerialPort() {
  Close();
}

bool PosixSerialPort::Configure() {
  if (m_fd < 0) {
    return false;
  }
  termios settings{};
  if (::tcgetattr(m_fd, &settings) != 0) {
    return false;
  }
  ::cfmakeraw(&settings);
  ::cfsetispeed(&settings, B9600);
  ::cfsetospeed(&settings, B9600);
  settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB);
  settings.c_cflag |= CS8 | CLOCAL | CREAD;
  settings.c_cc[VMIN] = 0;
  settings.c_cc[VTIME] = 0;
  if (::tcsetattr(m_fd, TCSANOW, &settings) != 0) {
    return false;
  }
  // tcsetattr succeeds when any one change took; the line counts only if all did.
  termios actual{};
  if (::tcgetattr(m_fd, &actual) != 0) {
    return false;
  }
  return ::cfgetispeed(&actual) == B9600 && ::cfgetospeed(&actual) == B9600 &&
         (actual.c_cflag & CSIZE) == CS8 && (actual.c_cflag & (PARENB | CSTOPB)) == 0 &&
         (actual.c_lflag & ICANON) == 0;
}

void PosixSerialPort::Purge() {
  if (m_fd >= 0) {
    ::tcflush(m_fd, TCIOFLUSH);
  }
}

// A hung-up line reads 0 bytes, like an idle one; poll's revents tell them apart.
bool PosixSerialPort::HungUp() const {
  pollfd entry{m_fd, POLLIN, 0};
  int ready = 0;
  do {
    ready = ::poll(&entry, 1, 0);
  } while (ready < 0 && errno == EINTR);
  if (ready < 0) {
    return true;
  }
  return (entry.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

long PosixSerialPort::BytesWaiting() {
  if (m_fd < 0) {
    return kGone;
  }
  int waiting = 0;
  if (::ioctl(m_fd, FIONREAD, &waiting) != 0) {
    return IsGoneError(errno) ? kGone : 0;
  }
  if (waiting > 0) {
    return waiting;
  }
  return HungUp() ? kGone : 0;
}

long PosixSerialPort::Read(std::uint8_t* buffer, std::size_t capacity) {
  if (m_fd < 0) {
    return kGone;
  }
  if (capacity == 0) {
    return 0;
  }
  ssize_t count = 0;
  do {
    count = ::read(m_fd, buffer, capacity);
  } while (count < 0 && errno == EINTR);
  if (count > 0) {
    return static_cast<long>(count);
  }
  if (count == 0) {
    return HungUp() ? kGone : 0;
  }
  if (errno == EAGAIN || errno == EWOULDBLOCK) {
    return 0;
  }
  return IsGoneError(errno) ? kGone : 0;
}

void PosixSerialPort::DropDtr() {
  if (m_fd < 0) {
    return;
  }
  int lines = TIOCM_DTR;
  ::ioctl(m_fd, TIOCMBIC, &lines);  // ENOTTY/EINVAL on lines without modem control
}

void PosixSerialPort::Close() {
  if (m_fd < 0) {
    return;
  }
  // The exclusive flag outlives this descriptor while anyone else holds the tty open;
  // clear it, or the next Start would find the port busy.
  ::ioctl(m_fd, TIOCNXCL);
  ::close(m_fd);
  m_fd = -1;
  m_lock.Release();
}

}  // namespace volmograph
