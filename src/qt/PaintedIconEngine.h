#pragma once

// An icon drawn by code at whatever size is asked for. QIconEngine's own pixmap() paints on
// an uninitialised pixmap, so the glyph would stand on garbage; here it stands on transparency.

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace volmograph {

class PaintedIconEngine : public QIconEngine {
 public:
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return picture;
  }
};

}  // namespace volmograph
