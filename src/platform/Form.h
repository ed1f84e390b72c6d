#pragma once

#include <string>

#include "platform/Canvas.h"
#include "platform/DialogTemplate.h"
#include "platform/Graphics.h"

namespace volmograph {

// The controls of the view's form, addressed by their ids. Texts are code page 1252 bytes.
class Form {
 public:
  virtual ~Form() = default;
  // Makes the controls of `formTemplate`, each with its caption and its start state (shown;
  // enabled unless the template disables it). False when the form cannot be made.
  virtual bool Create(const DialogTemplate& formTemplate) = 0;
  virtual void SetText(int id, const std::string& text) = 0;
  virtual std::string Text(int id) const = 0;
  virtual void Show(int id, bool shown) = 0;
  virtual bool IsShown(int id) const = 0;
  virtual void Enable(int id, bool enabled) = 0;
  virtual bool IsEnabled(int id) const = 0;
  virtual void SetFont(int id, const FontDescription& font) = 0;
  virtual void SetChecked(int id, bool checked) = 0;
  virtual bool IsChecked(int id) const = 0;
  // Repaints the whole view, background included.
  virtual void Invalidate() = 0;
  // A device context of a control (the display frame 1017); null when none can be had.
  // Every canvas acquired is released to the same form before the handler returns.
  virtual Canvas* AcquireCanvas(int id) = 0;
  virtual void ReleaseCanvas(int id, Canvas* canvas) = 0;
};

}  // namespace volmograph
