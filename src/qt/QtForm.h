#pragma once

// The view's form on the desktop: the widgets of its template, laid out in dialog units,
// coloured and fonted as the view asks, with the display frame as the surface the view
// draws its pictures on. Clicks on buttons go to the view as commands.

#include <QWidget>
#include <map>
#include <memory>
#include <string>

#include "platform/Form.h"
#include "qt/FontResolver.h"
#include "qt/RasterCanvas.h"

namespace volmograph {

class CKeloView;
class DisplayFrame;

class QtForm : public QWidget, public Form {
 public:
  explicit QtForm(QWidget* parent = nullptr);
  ~QtForm() override;

  // The view that colours the controls, takes the clicks and draws on repaint. Set before
  // the view's creation calls Create; it must outlive this form or be detached (null).
  void Attach(CKeloView* view) { m_view = view; }
  // Uses `widget` for the control `id` of the template instead of making one.
  void Adopt(int id, QWidget* widget) { m_adopted[id] = widget; }

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
  // Schedules one repaint, in which the view redraws its picture; several calls before it
  // runs make one repaint.
  void Invalidate() override;
  // The display frame's picture (1017) or an off-screen canvas of the whole view (0).
  Canvas* AcquireCanvas(int id) override;
  void ReleaseCanvas(int id, Canvas* canvas) override;

  // The widget of a control; null for an id the template does not have.
  QWidget* ControlWidget(int id) const;
  QSize sizeHint() const override { return m_formSize; }

 private:
  struct Control {
    QWidget* widget = nullptr;
    std::string text;  // the bytes as the view set them
    CharSet charSet = CharSet::Ansi;
    bool checked = false;
  };

  Control* Find(int id);
  const Control* Find(int id) const;
  void ApplyText(Control& control);
  void ApplyColours(int id, QWidget& widget, DialogControlKind kind);
  void ConnectClicks(int id, QWidget& widget);
  void RunPostedDraw();

  CKeloView* m_view = nullptr;
  std::map<int, QWidget*> m_adopted;
  std::map<int, Control> m_controls;
  DisplayFrame* m_frame = nullptr;
  std::unique_ptr<RasterCanvas> m_viewCanvas;
  FontResolver m_fonts;
  QSize m_formSize;
  bool m_drawPosted = false;
};

}  // namespace volmograph
