#include "platform/HeadlessListBox.h"

namespace volmograph {

void HeadlessListBox::Clear() {
  m_lines.clear();
  m_selected = -1;
}

int HeadlessListBox::Add(const std::string& line) {
  m_lines.push_back(line);
  return Count() - 1;
}

void HeadlessListBox::DeleteAt(int index) {
  if (index < 0 || index >= Count()) {
    return;
  }
  if (index == 0) {
    m_lines.pop_front();
  } else {
    m_lines.erase(m_lines.begin() + index);
  }
  if (m_selected == index) {
    m_selected = -1;
  } else if (m_selected > index) {
    --m_selected;
  }
}

std::string HeadlessListBox::Line(int index) const {
  if (index < 0 || index >= Count()) {
    return {};
  }
  return m_lines[static_cast<std::size_t>(index)];
}

void HeadlessListBox::Select(int index) {
  m_selected = (index >= 0 && index < Count()) ? index : -1;
}

}  // namespace volmograph
