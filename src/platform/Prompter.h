#pragma once

#include <string>
#include <vector>

namespace volmograph {

// Message boxes. Every message the system shows has a fixed English text; `detail`
// is an optional second, informative line from the system (the reason a port failed, a
// device or file name), in UTF-8.
class Prompter {
 public:
  virtual ~Prompter() = default;
  // An exclamation-icon message box with an OK button.
  virtual void ShowMessage(const std::string& text, const std::string& detail = {}) = 0;
};

// Keeps every message for tests and prints nothing.
class RecordingPrompter : public Prompter {
 public:
  struct Message {
    std::string text;
    std::string detail;
  };

  void ShowMessage(const std::string& text, const std::string& detail = {}) override {
    m_messages.push_back({text, detail});
  }
  const std::vector<Message>& Messages() const { return m_messages; }
  void Clear() { m_messages.clear(); }

 private:
  std::vector<Message> m_messages;
};

}  // namespace volmograph
