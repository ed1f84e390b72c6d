#include "files/TextDataFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "files/FileAccess.h"
#include "platform/FullIo.h"

namespace volmograph {

namespace {

// Records per read of the streaming reader: about 64 KiB.
constexpr std::size_t kRecordsPerRead = 960;

std::string_view RecordToLine(std::string_view record) {
  std::string_view line = record.substr(0, kTextLineMax);
  std::size_t nul = line.find('\0');
  return nul == std::string_view::npos ? line : line.substr(0, nul);
}

// A full record always gives a line, an empty one too; a partial record only when it holds
// something before its first NUL.
bool GivesLine(std::string_view record, std::string_view line) {
  return record.size() == kTextRecordSize || !line.empty();
}

// Records from `consumed` bytes on: those of a regular file's rest, else `inHand`.
std::size_t RecordsLeft(int fd, std::uint64_t consumed, std::size_t inHand) {
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<std::uint64_t>(info.st_size) <= consumed) {
    return inHand;
  }
  const std::uint64_t rest = static_cast<std::uint64_t>(info.st_size) - consumed;
  return static_cast<std::size_t>((rest + kTextRecordSize - 1) / kTextRecordSize);
}

// Hands the line of record `recordNumber` (counted from 1) on, noting it if it is damaged.
void TakeRecord(std::string_view record, std::size_t recordNumber, const TextLineSink& addLine,
                TextReadResult& result) {
  result.partialRecord = record.size() < kTextRecordSize;
  const TextRecordFault fault = CheckTextRecord(record);
  if (fault != TextRecordFault::None) {
    result.damage.Note(recordNumber, fault, record.size());
  }
  const std::string_view line = RecordToLine(record);
  if (!GivesLine(record, line)) {
    return;
  }
  if (fault != TextRecordFault::None) {
    result.damage.lines.push_back(result.lines);
  }
  addLine(std::string(line));
  ++result.lines;
}

}  // namespace

void AppendTextDataRecord(std::string& file, std::string_view line) {
  if (line.size() >= kTextRecordSize) {
    file.append(line.substr(0, kTextRecordSize));
    return;
  }
  file.append(line);
  file.push_back('\n');
  if (line.size() < kTextLineMax) {
    file.append(kTextRecordSize - line.size() - 1, '\0');  // the NUL and zero filler
  }
}

std::string WriteTextDataFile(const std::vector<std::string>& lines) {
  std::string file;
  file.reserve(lines.size() * kTextRecordSize);
  for (const std::string& line : lines) {
    AppendTextDataRecord(file, line);
  }
  return file;
}

std::vector<std::string> ReadTextDataFile(std::string_view bytes) {
  std::vector<std::string> lines;
  lines.reserve((bytes.size() + kTextRecordSize - 1) / kTextRecordSize);
  for (std::size_t offset = 0; offset < bytes.size(); offset += kTextRecordSize) {
    const std::string_view record = bytes.substr(offset, kTextRecordSize);
    const std::string_view line = RecordToLine(record);
    if (GivesLine(record, line)) {
      lines.emplace_back(line);
    }
  }
  return lines;
}

TextReadResult ReadTextDataFile(int fd, const TextLineSink& addLine, std::size_t maxLines) {
  TextReadResult result;
  std::vector<char> buffer(kTextRecordSize * kRecordsPerRead);
  std::uint64_t consumed = 0;  // bytes of the records handed on
  for (;;) {
    const long got = ReadFully(fd, buffer.data(), buffer.size());
    if (got < 0) {
      result.error = SystemErrorText(errno);
      return result;
    }
    const std::string_view chunk(buffer.data(), static_cast<std::size_t>(got));
    for (std::size_t offset = 0; offset < chunk.size(); offset += kTextRecordSize) {
      const std::string_view record = chunk.substr(offset, kTextRecordSize);
      if (result.lines == maxLines) {
        result.capped = true;  // only once a record beyond the cap shows up
        const std::size_t inHand = (chunk.size() - offset + kTextRecordSize - 1) / kTextRecordSize;
        result.recordsLeftOut = RecordsLeft(fd, consumed, inHand);
        return result;
      }
      TakeRecord(record, consumed / kTextRecordSize + 1, addLine, result);
      consumed += record.size();
    }
    if (chunk.size() < buffer.size()) {
      return result;  // ReadFully stops short only at the end of the file
    }
  }
}

TextReadResult ReadTextDataFile(const std::string& path, const TextLineSink& addLine,
                                std::size_t maxLines) {
  TextReadResult result;
  int fd = OpenRegularFile(path, result.error);
  if (fd < 0) {
    return result;
  }
  result = ReadTextDataFile(fd, addLine, maxLines);
  ::close(fd);
  return result;
}

}  // namespace volmograph
