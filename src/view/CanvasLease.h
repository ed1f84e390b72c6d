#pragma once

#include "platform/Form.h"

namespace volmograph {

// A device context of a control, given back to its form on every path out of a handler.
// Get() is null when none could be had.
class CanvasLease {
 public:
  CanvasLease(Form& form, int id) : m_form(form), m_id(id), m_canvas(form.AcquireCanvas(id)) {}
  ~CanvasLease() {
    if (m_canvas != nullptr) {
      m_form.ReleaseCanvas(m_id, m_canvas);
    }
  }
  CanvasLease(const CanvasLease&) = delete;
  CanvasLease& operator=(const CanvasLease&) = delete;
  Canvas* Get() const { return m_canvas; }

 private:
  Form& m_form;
  int m_id;
  Canvas* m_canvas;
};

}  // namespace volmograph
