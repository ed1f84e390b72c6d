#pragma once

// A list box that passes everything on to the list it wraps: the base of the decorators
// that watch the lines the view lists.

#include <string>

#include "platform/ListBox.h"

namespace volmograph::cli {

class ForwardingListBox : public ListBox {
 public:
  explicit ForwardingListBox(ListBox& inner) : m_inner(inner) {}

  void Clear() override { m_inner.Clear(); }
  int Add(const std::string& line) override { return m_inner.Add(line); }
  void DeleteAt(int index) override { m_inner.DeleteAt(index); }
  int Count() const override { return m_inner.Count(); }
  std::string Line(int index) const override { return m_inner.Line(index); }
  void Select(int index) override { m_inner.Select(index); }
  int Selected() const override { return m_inner.Selected(); }
  void SetFont(const FontDescription& font) override { m_inner.SetFont(font); }
  void SetRedraw(bool redraw) override { m_inner.SetRedraw(redraw); }
  void Invalidate() override { m_inner.Invalidate(); }

 private:
  ListBox& m_inner;
};

}  // namespace volmograph::cli
