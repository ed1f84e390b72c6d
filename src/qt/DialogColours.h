#pragma once

class QWidget;

namespace volmograph {

// The dialogs' and message boxes' colours: yellow text on blue. Buttons and edit fields keep
// their own colours.
void ApplyDialogColours(QWidget& widget);

}  // namespace volmograph
