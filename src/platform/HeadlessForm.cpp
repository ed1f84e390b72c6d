#include "platform/HeadlessForm.h"

namespace volmograph {

bool HeadlessForm::Create(const DialogTemplate& formTemplate) {
  if (!m_creationAvailable) {
    return false;
  }
  for (const DialogControl& control : formTemplate.controls) {
    if (control.id != kNoControlId) {
      ControlState& state = m_controls[control.id];
      state.text = control.caption;
      state.enabled = !control.Has(control_style::kDisabled);
    }
  }
  return true;
}

void HeadlessForm::SetText(int id, const std::string& text) {
  m_controls[id].text = text;
}

std::string HeadlessForm::Text(int id) const {
  return Control(id).text;
}

void HeadlessForm::Show(int id, bool shown) {
  m_controls[id].shown = shown;
}

bool HeadlessForm::IsShown(int id) const {
  return Control(id).shown;
}

void HeadlessForm::Enable(int id, bool enabled) {
  m_controls[id].enabled = enabled;
}

bool HeadlessForm::IsEnabled(int id) const {
  return Control(id).enabled;
}

void HeadlessForm::SetFont(int id, const FontDescription& font) {
  m_controls[id].font = font;
}

void HeadlessForm::SetChecked(int id, bool checked) {
  m_controls[id].checked = checked;
}

bool HeadlessForm::IsChecked(int id) const {
  return Control(id).checked;
}

volmograph::Canvas* HeadlessForm::AcquireCanvas(int id) {
  if (!m_canvasAvailable) {
    return nullptr;
  }
  ++m_acquisitions;
  ++m_outstanding[id];
  return &Canvas(id);
}

void HeadlessForm::ReleaseCanvas(int id, volmograph::Canvas* canvas) {
  const auto found = m_canvases.find(id);
  if (canvas == nullptr || found == m_canvases.end() || found->second.get() != canvas ||
      m_outstanding[id] == 0) {
    ++m_badReleases;
    return;
  }
  --m_outstanding[id];
}

const ControlState& HeadlessForm::Control(int id) const {
  static const ControlState kUntouched;
  const auto found = m_controls.find(id);
  return found == m_controls.end() ? kUntouched : found->second;
}

RecordingCanvas& HeadlessForm::Canvas(int id) {
  std::unique_ptr<RecordingCanvas>& canvas = m_canvases[id];
  if (!canvas) {
    canvas = std::make_unique<RecordingCanvas>();
  }
  return *canvas;
}

int HeadlessForm::OutstandingCanvases() const {
  int total = 0;
  for (const auto& [id, count] : m_outstanding) {
    total += count;
  }
  return total;
}

}  // namespace volmograph
