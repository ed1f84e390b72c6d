#include "files/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "platform/FileReplacement.h"
#include "platform/FullIo.h"

namespace volmograph {

namespace {

// Creates a new, uniquely named file beside `folder`/`base`; -1 with errno set on failure.
int CreateTemporary(const std::string& folder, const std::string& base, std::string& temp) {
  static std::atomic<unsigned> counter{0};
  // Keep the name within NAME_MAX whatever the length of the target's name.
  std::string stem = "." + base.substr(0, 200) + "." + std::to_string(::getpid()) + ".";
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = folder + "/" + stem + std::to_string(counter++) + ".tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  return -1;
}

void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);  // best effort: the rename is done either way
    ::close(fd);
  }
}

}  // namespace

std::string SystemErrorText(int errnum) {
  return std::error_code(errnum, std::generic_category()).message();
}

int OpenRegularFile(const std::string& path, std::string& error) {
  // Non-blocking, so that opening a FIFO without a writer returns at once.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = SystemErrorText(errno);
    return -1;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    error = SystemErrorText(errno);
  } else if (S_ISDIR(st.st_mode)) {
    error = SystemErrorText(EISDIR);
  } else if (!S_ISREG(st.st_mode)) {
    error = "Not a regular file";
  } else {
    return fd;
  }
  ::close(fd);
  return -1;
}

bool ReadFileHead(const std::string& path, std::size_t maxBytes, std::string& bytes,
                  std::string& error, bool* more) {
  bytes.clear();
  int fd = OpenRegularFile(path, error);
  if (fd < 0) {
    return false;
  }
  bytes.resize(maxBytes);
  long got = ReadFully(fd, bytes.data(), maxBytes);
  char next = 0;
  long beyond = 0;
  if (got == static_cast<long>(maxBytes) && more != nullptr) {
    beyond = ReadFully(fd, &next, 1);  // one byte past the cap tells whether the file goes on
  }
  int readError = errno;
  ::close(fd);
  if (got < 0 || beyond < 0) {
    bytes.clear();
    error = SystemErrorText(readError);
    return false;
  }
  bytes.resize(static_cast<std::size_t>(got));
  if (more != nullptr) {
    *more = beyond > 0;
  }
  return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
  std::string target = ResolveLinks(path);
  if (std::string refusal = ReplaceRefusal(target); !refusal.empty()) {
    error = refusal;
    return false;
  }
  std::size_t slash = target.rfind('/');
  std::string folder = slash == std::string::npos ? "." : target.substr(0, slash == 0 ? 1 : slash);
  std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  if (base.empty()) {
    error = SystemErrorText(EISDIR);
    return false;
  }

  std::string temp;
  int fd = CreateTemporary(folder, base, temp);
  if (fd < 0) {
    error = SystemErrorText(errno);
    return false;
  }
  struct stat old;
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    ::fchmod(fd, old.st_mode & 07777);  // best effort: the data matter more than the mode
  }
  bool written = WriteFully(fd, bytes) && ::fsync(fd) == 0;
  int failure = errno;
  if (::close(fd) != 0 && written) {
    written = false;
    failure = errno;
  }
  if (written && ::rename(temp.c_str(), target.c_str()) == 0) {
    SyncFolder(folder);
    return true;
  }
  if (written) {
    failure = errno;
  }
  ::unlink(temp.c_str());
  error = SystemErrorText(failure);
  return false;
}

bool CanWriteFileAtomically(const std::string& path, std::string& error) {
  const std::string target = ResolveLinks(path);
  if (std::string refusal = ReplaceRefusal(target); !refusal.empty()) {
    error = refusal;
    return false;
  }
  const std::size_t slash = target.rfind('/');
  const std::string folder =
      slash == std::string::npos ? "." : target.substr(0, slash == 0 ? 1 : slash);
  if (slash + 1 == target.size()) {
    error = SystemErrorText(EISDIR);
    return false;
  }
  if (::access(folder.c_str(), W_OK | X_OK) != 0) {
    error = SystemErrorText(errno);
    return false;
  }
  return true;
}

}  // namespace volmograph
