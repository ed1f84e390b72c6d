#pragma once

// Widgets for the controls of a dialog template: push buttons, group boxes, labels, list
// boxes, edit fields, radio buttons and the display frame, placed at their rectangles.

#include <QFont>
#include <QString>

#include "platform/DialogTemplate.h"
#include "qt/DialogUnits.h"

class QWidget;

namespace volmograph {

class FontResolver;

// The object name a control's widget carries, so that it can be found by id.
QString ControlObjectName(int controlId);

// The widget of `control` as a child of `parent`, with its caption, start state and
// geometry. `existing`, when given, is used instead of a new widget (a list box made
// beforehand); it must suit the control's kind.
QWidget* BuildControlWidget(const DialogControl& control, const DialogUnits& units, QWidget& parent,
                            QWidget* existing = nullptr);

// The template's font, as the dialog units assume it.
QFont TemplateFont(const DialogTemplate& dialogTemplate, const DialogUnits& units,
                   FontResolver& fonts);

}  // namespace volmograph
