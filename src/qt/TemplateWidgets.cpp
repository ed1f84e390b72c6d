#include "qt/TemplateWidgets.h"

#include <QAbstractScrollArea>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "qt/ByteText.h"
#include "qt/DisplayFrame.h"
#include "qt/FontResolver.h"

namespace volmograph {

namespace {

namespace cs = control_style;

Qt::Alignment StaticAlignment(const DialogControl& control) {
  Qt::Alignment alignment = Qt::AlignLeft;
  if (control.Has(cs::kCentred)) {
    alignment = Qt::AlignHCenter;
  } else if (control.Has(cs::kRightAligned)) {
    alignment = Qt::AlignRight;
  }
  return alignment | (control.Has(cs::kVerticallyCentred) ? Qt::AlignVCenter : Qt::AlignTop);
}

QWidget* NewStatic(const DialogControl& control, QWidget& parent) {
  auto* label = new QLabel(&parent);
  // Meter bytes are never markup.
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(StaticAlignment(control));
  label->setWordWrap(!control.Has(cs::kNoWrap) && !control.Has(cs::kVerticallyCentred));
  label->setText(DecodeBytes(control.caption));
  return label;
}

QWidget* NewWidget(const DialogControl& control, QWidget& parent) {
  const QString caption = DecodeBytes(control.caption);
  switch (control.kind) {
    case DialogControlKind::PushButton:
      return new QPushButton(caption, &parent);
    case DialogControlKind::DefaultButton: {
      auto* button = new QPushButton(caption, &parent);
      button->setDefault(true);
      return button;
    }
    case DialogControlKind::GroupBox:
      return new QGroupBox(caption, &parent);
    case DialogControlKind::StaticFrame:
      return new DisplayFrame(&parent);
    case DialogControlKind::ListBox:
      return new QListWidget(&parent);
    case DialogControlKind::Edit:
      return new QLineEdit(caption, &parent);
    case DialogControlKind::RadioButton:
      return new QRadioButton(caption, &parent);
    case DialogControlKind::Static:
      break;
  }
  return NewStatic(control, parent);
}

bool TakesFocusByTab(DialogControlKind kind) {
  return kind == DialogControlKind::PushButton || kind == DialogControlKind::DefaultButton ||
         kind == DialogControlKind::Edit || kind == DialogControlKind::ListBox;
}

}  // namespace

QString ControlObjectName(int controlId) {
  return QStringLiteral("control%1").arg(controlId);
}

QWidget* BuildControlWidget(const DialogControl& control, const DialogUnits& units, QWidget& parent,
                            QWidget* existing) {
  QWidget* widget = existing;
  if (widget != nullptr) {
    widget->setParent(&parent);
  } else {
    widget = NewWidget(control, parent);
  }
  if (control.id != kNoControlId) {
    widget->setObjectName(ControlObjectName(control.id));
  }
  if (auto* scrolled = qobject_cast<QAbstractScrollArea*>(widget);
      scrolled != nullptr && control.Has(cs::kVerticalScrollAlways)) {
    scrolled->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  }
  if (TakesFocusByTab(control.kind) && !control.Has(cs::kTabStop)) {
    widget->setFocusPolicy(Qt::ClickFocus);
  }
  widget->setEnabled(!control.Has(cs::kDisabled));
  widget->setGeometry(units.ToPixels(control.rect));
  // Group boxes and frames are drawn behind the controls that lie on them, and must not
  // take their clicks.
  if (control.kind == DialogControlKind::GroupBox ||
      control.kind == DialogControlKind::StaticFrame) {
    widget->lower();
  }
  return widget;
}

QFont TemplateFont(const DialogTemplate& dialogTemplate, const DialogUnits& units,
                   FontResolver& fonts) {
  FontDescription description;
  description.family = dialogTemplate.fontFamily;
  description.height = -units.FontPixelSize(dialogTemplate.fontPointSize);
  description.weight = 400;
  QFont font = fonts.Resolve(description);
  // A dialog's fields show what the user types, which may need shaping (joined scripts,
  // combining marks); only the program's own code-page texts do without it.
  font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() & ~QFont::PreferNoShaping));
  return font;
}

}  // namespace volmograph
