#pragma once

// The view's form and its dialogs as templates: what the desktop builds its widgets from and
// what the headless form starts as.

#include "platform/DialogTemplate.h"

namespace volmograph {

inline constexpr int kAboutBoxTemplateId = 100;
inline constexpr int kFormTemplateId = 103;
inline constexpr int kStartEndTemplateId = 107;
inline constexpr int kCommPortTemplateId = 111;

// Template 103: the form of the view, a bordered child window of 354 x 252 units.
const DialogTemplate& FormTemplate();
// Template 111: COMM PORT SET, four radio buttons for COM1..COM4.
const DialogTemplate& CommPortTemplate();
// Template 107: START/END, the graph window's two edit fields.
const DialogTemplate& StartEndTemplate();
// Template 100: the About box.
const DialogTemplate& AboutBoxTemplate();

}  // namespace volmograph
