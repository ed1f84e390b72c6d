#include "qt/QtForm.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMetaObject>

#include "qt/ByteText.h"
#include "qt/DialogUnits.h"
#include "qt/DisplayFrame.h"
#include "qt/SelectionCanvas.h"
#include "qt/TemplateWidgets.h"
#include "view/CKeloView.h"
#include "view/Ids.h"

namespace volmograph {

namespace {

// The kind of control-colour request each control makes.
ControlKind ColourRequestKind(DialogControlKind kind) {
  switch (kind) {
    case DialogControlKind::PushButton:
    case DialogControlKind::DefaultButton:
      return ControlKind::Button;
    case DialogControlKind::ListBox:
      return ControlKind::ListBox;
    case DialogControlKind::Edit:
      return ControlKind::Other;
    default:
      return ControlKind::Static;
  }
}

}  // namespace

QtForm::QtForm(QWidget* parent) : QWidget(parent), m_fonts(this) {}

QtForm::~QtForm() = default;

bool QtForm::Create(const DialogTemplate& formTemplate) {
  if (!m_controls.empty()) {
    return false;  // a form is made once
  }
  const DialogUnits units(logicalDpiY());
  setFont(TemplateFont(formTemplate, units, m_fonts));
  for (const DialogControl& control : formTemplate.controls) {
    const auto adopted = m_adopted.find(control.id);
    QWidget* existing = adopted == m_adopted.end() ? nullptr : adopted->second;
    QWidget* widget = BuildControlWidget(control, units, *this, existing);
    if (control.id == kNoControlId) {
      continue;
    }
    m_controls[control.id] = Control{widget, control.caption, CharSet::Ansi, false};
    if (auto* frame = dynamic_cast<DisplayFrame*>(widget); frame != nullptr && m_frame == nullptr) {
      m_frame = frame;
    }
    ApplyColours(control.id, *widget, control.kind);
    ConnectClicks(control.id, *widget);
  }
  m_formSize = units.SizeToPixels(formTemplate.rect);
  resize(m_formSize);
  return true;
}

void QtForm::ApplyColours(int id, QWidget& widget, DialogControlKind kind) {
  if (m_view == nullptr) {
    return;
  }
  const std::optional<ControlColours> colours = m_view->OnCtlColor(ColourRequestKind(kind), id);
  if (!colours) {
    return;  // the toolkit's own colours
  }
  if (auto* frame = dynamic_cast<DisplayFrame*>(&widget)) {
    frame->SetBackground(ToQColor(colours->background));
    return;
  }
  QPalette palette = widget.palette();
  for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base}) {
    palette.setColor(role, ToQColor(colours->background));
  }
  for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text}) {
    palette.setColor(role, ToQColor(colours->text));
  }
  widget.setPalette(palette);
  widget.setAutoFillBackground(colours->mode == BkMode::Opaque);
}

void QtForm::ConnectClicks(int id, QWidget& widget) {
  auto* button = qobject_cast<QAbstractButton*>(&widget);
  if (button == nullptr) {
    return;
  }
  connect(button, &QAbstractButton::clicked, this, [this, id] {
    if (m_view != nullptr) {
      m_view->OnCommand(id);
    }
  });
}

QtForm::Control* QtForm::Find(int id) {
  const auto found = m_controls.find(id);
  return found == m_controls.end() ? nullptr : &found->second;
}

const QtForm::Control* QtForm::Find(int id) const {
  const auto found = m_controls.find(id);
  return found == m_controls.end() ? nullptr : &found->second;
}

QWidget* QtForm::ControlWidget(int id) const {
  const Control* control = Find(id);
  return control == nullptr ? nullptr : control->widget;
}

void QtForm::ApplyText(Control& control) {
  const QString text = DecodeBytes(control.text, control.charSet);
  if (auto* label = qobject_cast<QLabel*>(control.widget)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control.widget)) {
    button->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(control.widget)) {
    group->setTitle(text);
  } else {
    control.widget->setWindowTitle(text);
  }
}

void QtForm::SetText(int id, const std::string& text) {
  if (Control* control = Find(id)) {
    control->text = text;
    ApplyText(*control);
  }
}

std::string QtForm::Text(int id) const {
  const Control* control = Find(id);
  return control == nullptr ? std::string() : control->text;
}

void QtForm::Show(int id, bool shown) {
  if (Control* control = Find(id)) {
    control->widget->setVisible(shown);
  }
}

// The control's own state, whether or not the form itself is on screen yet.
bool QtForm::IsShown(int id) const {
  const Control* control = Find(id);
  return control != nullptr && !control->widget->isHidden();
}

void QtForm::Enable(int id, bool enabled) {
  if (Control* control = Find(id)) {
    control->widget->setEnabled(enabled);
  }
}

bool QtForm::IsEnabled(int id) const {
  const Control* control = Find(id);
  return control != nullptr && control->widget->isEnabledTo(this);
}

void QtForm::SetFont(int id, const FontDescription& font) {
  Control* control = Find(id);
  if (control == nullptr) {
    return;
  }
  control->widget->setFont(m_fonts.Resolve(font));
  if (control->charSet != font.charSet) {
    control->charSet = font.charSet;
    ApplyText(*control);
  }
}

void QtForm::SetChecked(int id, bool checked) {
  Control* control = Find(id);
  if (control == nullptr) {
    return;
  }
  control->checked = checked;
  auto* button = qobject_cast<QAbstractButton*>(control->widget);
  if (button != nullptr && button->isCheckable()) {
    button->setChecked(checked);
  }
}

bool QtForm::IsChecked(int id) const {
  const Control* control = Find(id);
  if (control == nullptr) {
    return false;
  }
  const auto* button = qobject_cast<const QAbstractButton*>(control->widget);
  return button != nullptr && button->isCheckable() ? button->isChecked() : control->checked;
}

// Posted rather than run at once, so that the view never draws from inside one of its own
// handlers or from a paint event.
void QtForm::Invalidate() {
  update();
  if (m_drawPosted) {
    return;
  }
  m_drawPosted = true;
  QMetaObject::invokeMethod(
      this, [this] { RunPostedDraw(); }, Qt::QueuedConnection);
}

void QtForm::RunPostedDraw() {
  m_drawPosted = false;
  if (m_view != nullptr) {
    m_view->OnDraw();
  }
}

Canvas* QtForm::AcquireCanvas(int id) {
  if (id == ctl::kDisplayFrame && m_frame != nullptr) {
    m_frame->Canvas().RestoreDefaults();
    return &m_frame->Canvas();
  }
  if (id == ctl::kView && !m_controls.empty()) {
    // Made on first use: nothing drawn on the view's own surface is ever shown, and a
    // form-sized picture made at start-up would only delay the first window.
    if (!m_viewCanvas) {
      m_viewCanvas = std::make_unique<RasterCanvas>(m_formSize.width(), m_formSize.height());
    }
    m_viewCanvas->RestoreDefaults();
    return m_viewCanvas.get();
  }
  return nullptr;
}

void QtForm::ReleaseCanvas(int id, Canvas* canvas) {
  if (id == ctl::kDisplayFrame && m_frame != nullptr && canvas == &m_frame->Canvas()) {
    m_frame->update();
  }
}

}  // namespace volmograph
