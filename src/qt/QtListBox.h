#pragma once

// The sample list on the desktop: a list widget of single-byte lines, shown in code page 1253
// while its font has the Greek character set (1252 otherwise), with each line's bytes kept
// as they were added.

#include <QListWidget>
#include <QPointer>
#include <deque>
#include <optional>
#include <string>

#include "platform/ListBox.h"
#include "qt/FontResolver.h"

namespace volmograph {

class QtListBox : public ListBox {
 public:
  // Makes the list widget as a child of `parent`, which then owns it.
  explicit QtListBox(QWidget* parent = nullptr);
  ~QtListBox() override;
  QtListBox(const QtListBox&) = delete;
  QtListBox& operator=(const QtListBox&) = delete;

  QListWidget* Widget() const { return m_widget; }

  void Clear() override;
  int Add(const std::string& line) override;
  // An index outside the list is ignored.
  void DeleteAt(int index) override;
  int Count() const override;
  std::string Line(int index) const override;
  // -1 or an index outside the list clears the selection; a line selected is scrolled into
  // view.
  void Select(int index) override;
  int Selected() const override;
  void SetFont(const FontDescription& font) override;
  void SetRedraw(bool redraw) override;
  void Invalidate() override;

 private:
  QPointer<QListWidget> m_widget;
  FontResolver m_fonts;
  CharSet m_charSet = CharSet::Ansi;
  std::optional<FontDescription> m_font;
  // Each line's bytes, in the list's order. Every graph reads them all back, which costs
  // far less from here than from the widget's items.
  std::deque<std::string> m_lines;
};

}  // namespace volmograph
