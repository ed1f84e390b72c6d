#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/Canvas.h"
#include "platform/Form.h"

namespace volmograph {

// What a control shows, as the form would hold it.
struct ControlState {
  std::string text;
  bool shown = true;
  bool enabled = true;
  std::optional<FontDescription> font;
  bool checked = false;
};

// The form as a map of control states, with one recording canvas per control id that keeps
// every drawing operation for tests (id 0 is the view itself).
class HeadlessForm : public Form {
 public:
  bool Create(const DialogTemplate& formTemplate) override;
  void SetText(int id, const std::string& text) override;
  std::string Text(int id) const override;
  void Show(int id, bool shown) override;
  bool IsShown(int id) const override;
  void Enable(int id, bool enabled) override;
  bool IsEnabled(int id) const override;
  void SetFont(int id, const FontDescription& font) override;
  void SetChecked(int id, bool checked) override;
  bool IsChecked(int id) const override;
  void Invalidate() override { ++m_invalidateCount; }
  volmograph::Canvas* AcquireCanvas(int id) override;
  void ReleaseCanvas(int id, volmograph::Canvas* canvas) override;

  // The state of a control; a control never touched has the default state.
  const ControlState& Control(int id) const;
  // The canvas of a control with everything drawn on it so far (created when first asked).
  RecordingCanvas& Canvas(int id);

  int InvalidateCount() const { return m_invalidateCount; }
  // With false, Create fails, as when the window cannot be made.
  void SetCreationAvailable(bool available) { m_creationAvailable = available; }
  // With false, AcquireCanvas returns null, as when no device context can be had.
  void SetCanvasAvailable(bool available) { m_canvasAvailable = available; }
  // Canvases acquired and not yet released; 0 when every handler gave back what it took.
  int OutstandingCanvases() const;
  int CanvasAcquisitions() const { return m_acquisitions; }
  // Releases of a canvas that was not outstanding under that id (null, twice, wrong id).
  int BadReleases() const { return m_badReleases; }

 private:
  std::map<int, ControlState> m_controls;
  std::map<int, std::unique_ptr<RecordingCanvas>> m_canvases;
  std::map<int, int> m_outstanding;
  int m_invalidateCount = 0;
  int m_acquisitions = 0;
  int m_badReleases = 0;
  bool m_canvasAvailable = true;
  bool m_creationAvailable = true;
};

}  // namespace volmograph
