#include "qt/DisplayFrame.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace volmograph {

DisplayFrame::DisplayFrame(QWidget* parent) : QWidget(parent) {
  // Every pixel is painted here, so nothing behind needs repainting first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void DisplayFrame::SetBackground(const QColor& colour) {
  m_background = colour;
  // A rectangle whose outline lies just outside the picture fills all of it with the brush.
  m_canvas.SelectBrush(Rgb{static_cast<std::uint8_t>(colour.red()),
                           static_cast<std::uint8_t>(colour.green()),
                           static_cast<std::uint8_t>(colour.blue())});
  m_canvas.Rectangle(-1, -1, m_canvas.Image().width() + 1, m_canvas.Image().height() + 1);
  m_canvas.RestoreDefaults();
  update();
}

QSize DisplayFrame::minimumSizeHint() const {
  return m_canvas.Image().size() + QSize(2 * kBorder, 2 * kBorder);
}

void DisplayFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), m_background);
  painter.fillRect(QRect(0, 0, width(), kBorder), Qt::black);
  painter.fillRect(QRect(0, height() - kBorder, width(), kBorder), Qt::black);
  painter.fillRect(QRect(0, 0, kBorder, height()), Qt::black);
  painter.fillRect(QRect(width() - kBorder, 0, kBorder, height()), Qt::black);

  // On a screen of 1.5 device pixels per pixel the picture still grows by a whole number
  // (1), so no picture pixel is smeared over two screen pixels.
  const qreal ratio = devicePixelRatioF();
  const int whole = std::max(1, static_cast<int>(std::floor(ratio + 1e-6)));
  const QImage& image = m_canvas.Image();
  const QRectF target(kBorder, kBorder, image.width() * whole / ratio,
                      image.height() * whole / ratio);
  painter.drawImage(target, image);
}

}  // namespace volmograph
