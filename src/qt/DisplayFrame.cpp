#include "qt/DisplayFrame.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace volmograph {

DisplayFrame::DisplayFrame(QWidget* parent) : QWidget(parent) {
  // Every pixel is painted here, so nothing behind needs repainting first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

RasterCanvas& DisplayFrame::Canvas() {
  if (!m_canvas) {
    m_canvas = std::make_unique<RasterCanvas>();
    FillPicture();
  }
  return *m_canvas;
}

void DisplayFrame::SetBackground(const QColor& colour) {
  m_background = colour;
  if (m_canvas) {
    FillPicture();
  }
  update();
}

// A rectangle whose outline lies just outside the picture fills all of it with the brush.
void DisplayFrame::FillPicture() {
  const QColor& colour = m_background;
  m_canvas->SelectBrush(Rgb{static_cast<std::uint8_t>(colour.red()),
                            static_cast<std::uint8_t>(colour.green()),
                            static_cast<std::uint8_t>(colour.blue())});
  m_canvas->Rectangle(-1, -1, RasterCanvas::kDefaultWidth + 1, RasterCanvas::kDefaultHeight + 1);
  m_canvas->RestoreDefaults();
}

QSize DisplayFrame::minimumSizeHint() const {
  return QSize(RasterCanvas::kDefaultWidth + 2 * kBorder,
               RasterCanvas::kDefaultHeight + 2 * kBorder);
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
  if (m_canvas) {
    const QImage& image = m_canvas->Image();
    const QRectF target(kBorder, kBorder, image.width() * whole / ratio,
                        image.height() * whole / ratio);
    painter.drawImage(target, image);
  }
}

}  // namespace volmograph
