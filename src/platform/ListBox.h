#pragma once

#include <string>

#include "platform/Graphics.h"

namespace volmograph {

// The sample list control: lines in arrival order, oldest first (the SampleLog).
// Lines are code page 1252 bytes.
class ListBox {
 public:
  virtual ~ListBox() = default;
  virtual void Clear() = 0;
  // Appends a line and returns its index.
  virtual int Add(const std::string& line) = 0;
  virtual void DeleteAt(int index) = 0;
  virtual int Count() const = 0;
  // The text of line `index`; empty when there is no such line.
  virtual std::string Line(int index) const = 0;
  virtual void Select(int index) = 0;
  virtual int Selected() const = 0;
  virtual void SetFont(const FontDescription& font) = 0;
  // Suspends (false) and resumes (true) redrawing while many lines are added.
  virtual void SetRedraw(bool redraw) = 0;
  virtual void Invalidate() = 0;
};

}  // namespace volmograph
