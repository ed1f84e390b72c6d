#include "platform/IniProfile.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <vector>

#include "platform/FileReplacement.h"
#include "platform/FullIo.h"
#include "platform/IniDocument.h"

namespace volmograph {

namespace fs = std::filesystem;

namespace {

enum class FileState {
  Absent,      // no file yet: reads give defaults, a write creates it
  Read,        // read whole
  Truncated,   // larger than the cap: read in part, never rewritten
  Unreadable,  // not a regular file, no permission, I/O error: defaults, never rewritten
};

struct FileText {
  FileState state = FileState::Absent;
  std::string text;
  mode_t mode = 0;
  std::string problem;  // why the file is Truncated or Unreadable
};

FileText UnreadableFile(std::string problem) {
  return FileText{FileState::Unreadable, {}, 0, std::move(problem)};
}

// Reads at most kMaxFileSize bytes. O_NONBLOCK keeps a FIFO named as the profile from
// blocking the program; it is then refused as not a regular file.
FileText ReadCapped(const std::string& path) {
  FileText file;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    return (errno == ENOENT || errno == ENOTDIR) ? file : UnreadableFile(std::strerror(errno));
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return UnreadableFile("not a regular file");
  }
  file.mode = info.st_mode & 07777;
  // Sized by the file, with one byte more to see it grow; settings are read often, and a
  // buffer of the cap's size would be filled a megabyte at a time for a few lines.
  constexpr std::size_t kLimit = IniProfile::kMaxFileSize + 1;
  const auto size = static_cast<std::uint64_t>(info.st_size > 0 ? info.st_size : 0);
  file.text.resize(size >= kLimit ? kLimit : static_cast<std::size_t>(size) + 1);
  std::size_t got = 0;
  while (got < kLimit) {
    if (got == file.text.size()) {
      file.text.resize(std::min(kLimit, 2 * file.text.size()));
    }
    const ssize_t n = ::read(fd, file.text.data() + got, file.text.size() - got);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n < 0) {
      const int error = errno;
      ::close(fd);
      return UnreadableFile(std::strerror(error));
    }
    if (n == 0) {
      break;
    }
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  file.state = FileState::Read;
  if (got > IniProfile::kMaxFileSize) {
    // Drop the line the cap cut through, so that "Port=12" never reads as "Port=1".
    got = file.text.rfind('\n', IniProfile::kMaxFileSize - 1);
    got = (got == std::string::npos) ? 0 : got + 1;
    file.state = FileState::Truncated;
    file.problem = "larger than 1 MiB: only its start is read, and it is never rewritten";
  }
  file.text.resize(got);
  file.text.shrink_to_fit();
  return file;
}

mode_t DefaultFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Writes `text` to a temporary file beside `target`, flushes it and renames it over `target`.
// Returns 0, or the error that stopped it.
int ReplaceFile(const fs::path& target, std::string_view text, mode_t mode) {
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) {
    return error.value();
  }
  std::string name = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(name.data());
  if (fd < 0) {
    return errno;
  }
  int failure = 0;
  if (!WriteFully(fd, text) || ::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) {
    failure = errno;
  }
  if (::close(fd) != 0 && failure == 0) {
    failure = errno;
  }
  if (failure == 0 && ::rename(name.c_str(), target.c_str()) != 0) {
    failure = errno;
  }
  if (failure != 0) {
    ::unlink(name.c_str());
    return failure;
  }
  // Make the rename itself durable; a failure here no longer endangers the old file.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return 0;
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    return home;
  }
  if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr) {
    return user->pw_dir;
  }
  return {};
}

}  // namespace

IniProfile::IniProfile(std::string path) : m_path(std::move(path)) {}

int IniProfile::GetInt(const std::string& section, const std::string& key, int defaultValue) {
  return IniDocument(ReadCapped(m_path).text).GetInt(section, key, defaultValue);
}

std::string IniProfile::GetString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) {
  return IniDocument(ReadCapped(m_path).text).GetString(section, key, defaultValue);
}

std::string IniProfile::Text() const {
  return ReadCapped(m_path).text;
}

bool IniProfile::WriteInt(const std::string& section, const std::string& key, int value) {
  return WriteString(section, key, std::to_string(value));
}

bool IniProfile::WriteString(const std::string& section, const std::string& key,
                             const std::string& value) {
  // A linked profile is updated where it lives rather than replaced by a plain file.
  const fs::path target = ResolveLinks(m_path);
  const FileText current = ReadCapped(target.string());
  if (current.state == FileState::Truncated || current.state == FileState::Unreadable) {
    return FailWrite(current.problem);
  }
  // A file the user made read-only stays as it is, although the rename could replace it.
  if (current.state == FileState::Read && IsWriteProtected(target.string(), current.mode)) {
    return FailWrite("the file is read-only");
  }
  IniDocument document(current.text);
  if (!document.Set(section, key, value)) {
    return FailWrite("the setting cannot be stored there");
  }
  const std::string text = document.Text();
  const mode_t mode = current.state == FileState::Read ? current.mode : DefaultFileMode();
  if (current.state != FileState::Read || text != current.text) {
    if (const int error = ReplaceFile(target, text, mode); error != 0) {
      return FailWrite(std::strerror(error));
    }
  }
  m_writeFailure.clear();
  return true;
}

bool IniProfile::FailWrite(const std::string& reason) {
  m_writeFailure = m_path + ": " + reason;
  return false;
}

std::string IniProfile::ReadProblem() const {
  const FileText file = ReadCapped(m_path);
  if (!file.problem.empty()) {
    return m_path + ": " + file.problem +
           (file.state == FileState::Unreadable ? "; the defaults are used" : "");
  }
  const std::vector<std::size_t> damaged = IniDocument(file.text).DamagedLines();
  if (damaged.empty()) {
    return {};
  }
  const std::string first = std::to_string(damaged.front());
  if (damaged.size() == 1) {
    return m_path + ": line " + first +
           " holds binary data or is too long to be a setting; it is ignored and kept as it is";
  }
  return m_path + ": " + std::to_string(damaged.size()) + " lines (the first is line " + first +
         ") hold binary data or are too long to be settings; they are ignored and kept as they "
         "are";
}

std::string DefaultProfilePath() {
  if (const char* path = std::getenv("VOLMOGRAPH_INI"); path != nullptr && *path != '\0') {
    return path;
  }
  fs::path folder;
  // A relative XDG_CONFIG_HOME is invalid and ignored.
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/') {
    folder = config;
  } else if (const std::string home = HomeFolder(); !home.empty()) {
    folder = fs::path(home) / ".config";
  }
  return (folder / "volmograph.ini").string();
}

}  // namespace volmograph
