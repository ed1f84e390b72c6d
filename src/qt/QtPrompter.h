#pragma once

// Message boxes on the desktop: the exclamation icon, an OK button, yellow text on blue.

#include <string>
#include <vector>

#include "platform/Prompter.h"

class QWidget;

namespace volmograph {

class QtPrompter : public Prompter {
 public:
  // Boxes belong to the dialog open at the time, or else to `owner` (which may be null).
  explicit QtPrompter(QWidget* owner = nullptr) : m_owner(owner) {}

  void SetOwner(QWidget* owner) { m_owner = owner; }
  // Shows the box and waits for OK; `detail`, when given, is its second line.
  void ShowMessage(const std::string& text, const std::string& detail = {}) override;
  // The same with a line for each of `details` after `text`.
  void ShowMessageLines(const std::string& text, const std::vector<std::string>& details);

 private:
  QWidget* m_owner;
};

}  // namespace volmograph
