#include "cli/CsvLog.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "files/FileAccess.h"
#include "files/SampleCsv.h"
#include "platform/FullIo.h"

namespace volmograph::cli {

namespace {

// Pipes and terminals cannot be synced and need not be.
bool SyncData(int fd) {
  return ::fdatasync(fd) == 0 || errno == EINVAL || errno == EROFS;
}

}  // namespace

CsvLog::~CsvLog() {
  if (m_fd >= 0) {
    ::close(m_fd);
  }
}

bool CsvLog::Open(const std::string& path, std::string_view header) {
  m_path = path;
  m_fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  // Blocking again once open, so that a slow reader of a FIFO slows the writes, not drops them.
  if (m_fd >= 0 && ::fcntl(m_fd, F_SETFL, 0) != 0) {
    const int error = errno;
    ::close(m_fd);
    m_fd = -1;
    errno = error;
  }
  if (m_fd < 0) {
    m_error = SystemErrorText(errno);
    return false;
  }
  return Write(header);
}

bool CsvLog::Write(std::string_view row) {
  if (m_fd < 0 || !m_error.empty()) {
    return false;
  }
  std::string bytes(row);
  bytes += kCsvLineEnd;
  if (!WriteFully(m_fd, bytes) || !SyncData(m_fd)) {
    m_error = SystemErrorText(errno);
    return false;
  }
  return true;
}

}  // namespace volmograph::cli
