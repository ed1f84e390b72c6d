#include "files/DataFileReader.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <utility>

#include "files/FileAccess.h"
#include "platform/FullIo.h"

namespace volmograph {

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) {
      ::close(m_fd);
    }
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return m_fd; }

 private:
  int m_fd;
};

void ReadTextLines(int fd, std::uint64_t size, std::size_t maxLines, DataFileContents& contents) {
  const std::uint64_t records = (size + kTextRecordSize - 1) / kTextRecordSize;
  contents.lines.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(records, maxLines)));
  TextReadResult text = ReadTextDataFile(
      fd, [&](const std::string& line) { contents.lines.push_back(line); }, maxLines);
  if (!text.error.empty()) {
    contents.error = text.error;
    contents.lines.clear();
    return;
  }
  contents.recordsLeftOut = text.recordsLeftOut;
  contents.fileRecords = static_cast<std::size_t>(records);
  contents.damage = std::move(text.damage);
}

}  // namespace

DataFileContents ReadDataFile(const std::string& path, std::size_t maxLines) {
  DataFileContents contents;
  const Descriptor fd(OpenRegularFile(path, contents.error));
  if (fd.Get() < 0) {
    return contents;
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) {
    contents.error = SystemErrorText(errno);
    return contents;
  }
  const auto size = static_cast<std::uint64_t>(info.st_size);
  if (size > kDataFileSizeLimit) {
    contents.error = SystemErrorText(EFBIG);
    return contents;
  }

  std::string head(kGraphFileSize, '\0');
  const long got = ReadFully(fd.Get(), head.data(), head.size());
  if (got < 0) {
    contents.error = SystemErrorText(errno);
    return contents;
  }
  head.resize(static_cast<std::size_t>(got));
  contents.kind = DetectDataFileKind(head);
  if (contents.kind == DataFileKind::Graph) {
    contents.graph = ReadGraphFile(head, contents.image);
    return contents;
  }
  if (::lseek(fd.Get(), 0, SEEK_SET) != 0) {
    contents.error = SystemErrorText(errno);
    return contents;
  }
  ReadTextLines(fd.Get(), size, maxLines, contents);
  return contents;
}

}  // namespace volmograph
