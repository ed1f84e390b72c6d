#pragma once

// The program's widget style: Fusion, with the few pictures Fusion would read from image
// files drawn here instead. Reading any image file makes Qt load every image-format plug-in
// on the machine, which start-up would otherwise pay for the document window's buttons and
// the group boxes' frames alone.
// The main window's toolbar and the group boxes' frames are drawn with plain fills and
// copies of a small picture. Fusion strokes their lines, and the raster engine hands each
// stroke of a long or tall line to its worker threads; waking those threads for each frame
// cost the first window about a millisecond.

#include <QProxyStyle>

namespace volmograph {

class DrawnIconStyle : public QProxyStyle {
 public:
  DrawnIconStyle();

  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                     const QWidget* widget) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
};

}  // namespace volmograph
