#include "qt/DialogColours.h"

#include <QPalette>
#include <QWidget>

namespace volmograph {

void ApplyDialogColours(QWidget& widget) {
  QPalette palette = widget.palette();
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Window, QColor(0, 0, 255));
    palette.setColor(group, QPalette::WindowText, QColor(255, 255, 0));
  }
  // Disabled labels keep a readable grey on blue.
  palette.setColor(QPalette::Disabled, QPalette::Window, QColor(0, 0, 255));
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

}  // namespace volmograph
