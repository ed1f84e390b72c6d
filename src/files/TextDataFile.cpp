#include "files/TextDataFile.h"

#include <unistd.h>

#include <cerrno>

#include "files/FileAccess.h"

namespace volmograph {

namespace {

std::string RecordToLine(std::string_view record) {
  std::string_view line = record.substr(0, kTextLineMax);
  std::size_t nul = line.find('\0');
  return std::string(nul == std::string_view::npos ? line : line.substr(0, nul));
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
    lines.push_back(RecordToLine(bytes.substr(offset, kTextRecordSize)));
  }
  return lines;
}

TextReadResult ReadTextDataFile(int fd, const TextLineSink& addLine, std::size_t maxLines) {
  TextReadResult result;
  char record[kTextRecordSize];
  for (;;) {
    long got = ReadFully(fd, record, kTextRecordSize);
    if (got < 0) {
      result.error = SystemErrorText(errno);
      break;
    }
    if (got == 0) {
      break;
    }
    if (result.lines == maxLines) {
      result.capped = true;  // checked only once more data shows up
      break;
    }
    addLine(RecordToLine(std::string_view(record, static_cast<std::size_t>(got))));
    ++result.lines;
    if (static_cast<std::size_t>(got) < kTextRecordSize) {
      result.partialRecord = true;
      break;
    }
  }
  return result;
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
