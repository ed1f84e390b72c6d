// Arbitrary bytes opened as a data file through the view's Open, as a user would pick them
// in the dialog: whatever the bytes, a message or a loaded list or picture, never a crash,
// and a loaded list always within the record's bounds.

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/HeadlessPlatform.h"
#include "view/CKeloView.h"

namespace {

using namespace volmograph;

// One file for the whole run, rewritten for every input.
const std::string& InputPath() {
  static const std::string path = [] {
    char name[] = "/tmp/fuzz_open_file_XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd < 0) {
      std::abort();
    }
    ::close(fd);
    return std::string(name);
  }();
  return path;
}

void WriteInput(const std::uint8_t* data, std::size_t size) {
  const int fd = ::open(InputPath().c_str(), O_WRONLY | O_TRUNC);
  if (fd < 0 || (size > 0 && ::write(fd, data, size) != static_cast<ssize_t>(size))) {
    std::abort();
  }
  ::close(fd);
}

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WriteInput(data, size);
  HeadlessPlatform headless;
  CKeloView view(headless.Bundle());
  view.OnCreate();
  headless.m_dialogs.ScriptOpenFile({.name = InputPath(), .typed = false});
  char path[CKeloView::kDialogPathSize] = {};
  char title[CKeloView::kDialogTitleSize] = {};
  Check(view.OpenDataFile(path, title) == 1);

  const auto& messages = headless.m_prompter.Messages();
  if (!messages.empty() && messages[0].text == "File Open Error!") {
    Check(view.m_displayMode == 0 && headless.m_list.Count() == 0);
    return 0;
  }
  const bool graph = size >= 3 && data[0] == 'G' && data[1] == 'R' && data[2] == 'A';
  Check(view.m_displayMode == (graph ? 2 : 3));
  Check(view.m_waveformShown == (graph ? 1 : 0));
  if (!graph) {
    Check(view.m_recordedLines == headless.m_list.Count());
    Check(static_cast<std::size_t>(headless.m_list.Count()) <= size / 68 + 1);
    for (const std::string& line : headless.m_list.Lines()) {
      Check(line.size() <= 67 && line.find('\0') == std::string::npos);
    }
  }
  return 0;
}
