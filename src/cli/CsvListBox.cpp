#include "cli/CsvListBox.h"

#include "files/SampleCsv.h"

namespace volmograph::cli {

int CsvListBox::Add(const std::string& line) {
  const int index = ForwardingListBox::Add(line);
  if (m_writing && m_log.IsOpen()) {
    const std::string row = SampleCsvRow(line);
    m_log.Write(m_leadingField ? m_leadingField(line) + "," + row : row);
  }
  return index;
}

}  // namespace volmograph::cli
