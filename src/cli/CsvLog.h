#pragma once

// A CSV file written row by row as readings arrive, each row on disk before the next one is
// taken: a crash or a power cut during a long unattended run loses at most the row in flight.

#include <string>
#include <string_view>

namespace volmograph::cli {

class CsvLog {
 public:
  CsvLog() = default;
  ~CsvLog();
  CsvLog(const CsvLog&) = delete;
  CsvLog& operator=(const CsvLog&) = delete;

  // Creates or empties `path` and writes the header row. A FIFO without a reader is refused
  // rather than waited for. False with Error() set when the file cannot be opened or written.
  bool Open(const std::string& path, std::string_view header);
  // Writes one row and its line end and flushes it to the disk. After the first failure
  // nothing more is written and every call answers false.
  bool Write(std::string_view row);

  bool IsOpen() const { return m_fd >= 0; }
  const std::string& Path() const { return m_path; }
  // Why the file could not be opened or written; empty while all is well.
  const std::string& Error() const { return m_error; }

 private:
  int m_fd = -1;
  std::string m_path;
  std::string m_error;
};

}  // namespace volmograph::cli
