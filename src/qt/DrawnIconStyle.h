#pragma once

// The program's widget style: Fusion, with the few pictures Fusion would read from image
// files drawn here instead. Reading any image file makes Qt load every image-format plug-in
// on the machine, which start-up would otherwise pay for the document window's buttons and
// the group boxes' frames alone.

#include <QProxyStyle>

namespace volmograph {

class DrawnIconStyle : public QProxyStyle {
 public:
  DrawnIconStyle();

  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                     const QWidget* widget) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

}  // namespace volmograph
