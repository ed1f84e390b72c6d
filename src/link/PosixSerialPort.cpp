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
#include <vector>

namespace volmograph {

namespace {

// Errors by which a tty says its device has gone (USB adapter unplugged, pty master closed).
bool IsGoneError(int error) {
  return error == EIO || error == ENXIO || error == ENODEV || error == EBADF;
}

// The group that owns the device node, which the user must belong to.
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

}  // namespace

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

std::unique_ptr<PosixSerialPort> PosixSerialPort::Open(const std::string& path,
                                                       std::string& reason) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    reason = SerialOpenFailure(errno, path);
    return nullptr;
  }
  if (::isatty(fd) == 0) {
    ::close(fd);
    reason = SerialOpenFailure(ENOTTY, path);
    return nullptr;
  }
  // TIOCEXCL makes later opens fail with EBUSY, except for root; the lock holds for root too.
  ::ioctl(fd, TIOCEXCL);
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    reason = SerialOpenFailure(error, path);
    return nullptr;
  }
  return std::unique_ptr<PosixSerialPort>(new PosixSerialPort(fd, path));
}

PosixSerialPort::PosixSerialPort(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}

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
}

}  // namespace volmograph
