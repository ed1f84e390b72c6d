#include "cli/ConsoleOutput.h"

#include "platform/TextEncoding.h"

namespace volmograph::cli {

int PrintingListBox::Add(const std::string& line) {
  const int index = ForwardingListBox::Add(line);
  if (!m_printing) {
    return index;
  }
  // The list shows its lines in a Greek-character-set font.
  const std::string text = Cp1253ToUtf8(line);
  if (std::fprintf(m_out, "%s\n", text.c_str()) < 0) {
    m_outputOk = false;
  }
  return index;
}

void SayError(std::string_view command, const std::string& message) {
  const std::string prefix =
      command.empty() ? "volmograph-cli" : "volmograph-cli " + std::string(command);
  std::fprintf(stderr, "%s: %s\n", prefix.c_str(), SystemTextToUtf8(message).c_str());
}

void ConsolePrompter::ShowMessage(const std::string& text, const std::string& detail) {
  ++m_count;
  if (m_holding) {
    m_held.push_back({text, detail});
  } else {
    SayError(m_command, detail.empty() ? text : text + " (" + detail + ")");
  }
}

}  // namespace volmograph::cli
