#include "platform/FullIo.h"

#include <unistd.h>

#include <cerrno>

namespace volmograph {

long ReadFully(int fd, char* buffer, std::size_t capacity) {
  std::size_t got = 0;
  while (got < capacity) {
    const ssize_t n = ::read(fd, buffer + got, capacity - got);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n < 0) {
      return -1;
    }
    if (n == 0) {
      break;
    }
    got += static_cast<std::size_t>(n);
  }
  return static_cast<long>(got);
}

bool WriteFully(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      if (n == 0) {
        errno = EIO;
      }
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace volmograph
