#pragma once

#include <deque>
#include <optional>
#include <string>

#include "platform/ListBox.h"

namespace volmograph {

// The sample list in memory. A deque, because a long run deletes the first line on every
// append. Selection follows the list control: deleting the selected line clears it,
// deleting a line above it moves it up.
class HeadlessListBox : public ListBox {
 public:
  void Clear() override;
  int Add(const std::string& line) override;
  // An index outside the list is ignored.
  void DeleteAt(int index) override;
  int Count() const override { return static_cast<int>(m_lines.size()); }
  std::string Line(int index) const override;
  // -1 or an index outside the list clears the selection.
  void Select(int index) override;
  // The selected index, -1 when none.
  int Selected() const override { return m_selected; }
  void SetFont(const FontDescription& font) override { m_font = font; }
  void SetRedraw(bool redraw) override { m_redraw = redraw; }
  void Invalidate() override { ++m_invalidateCount; }

  const std::deque<std::string>& Lines() const { return m_lines; }
  const std::optional<FontDescription>& Font() const { return m_font; }
  bool RedrawEnabled() const { return m_redraw; }
  int InvalidateCount() const { return m_invalidateCount; }

 private:
  std::deque<std::string> m_lines;
  int m_selected = -1;
  std::optional<FontDescription> m_font;
  bool m_redraw = true;
  int m_invalidateCount = 0;
};

}  // namespace volmograph
