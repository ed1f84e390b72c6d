#include "qt/RasterCanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <QString>
#include <algorithm>
#include <cmath>

#include "platform/TextEncoding.h"
#include "qt/LineRaster.h"

namespace volmograph {
namespace {

constexpr double kTwipsPerInch = 1440.0;

// A length in twips on a device of `dpi`, keeping its sign and never shrinking to 0.
int TwipsToPixels(int twips, int dpi) {
  if (twips == 0) {
    return 0;
  }
  const long long pixels =
      std::max(1LL, std::llround(std::abs(twips * double(dpi)) / kTwipsPerInch));
  return static_cast<int>(twips < 0 ? -pixels : pixels);
}

}  // namespace

RasterCanvas::RasterCanvas(int width, int height)
    : m_image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32), m_fonts(&m_image) {
  m_image.fill(Qt::white);
  RestoreDefaults();
}

void RasterCanvas::RestoreDefaults() {
  RestoreSelection();
}

// In twips, y grows upwards and 1440 units make an inch of the image's resolution.
QPoint RasterCanvas::ToDevice(int x, int y) const {
  if (m_mapMode == MapMode::Pixels) {
    return QPoint(x, y);
  }
  const double dpiX = m_image.logicalDpiX();
  const double dpiY = m_image.logicalDpiY();
  return QPoint(static_cast<int>(std::llround(x * dpiX / kTwipsPerInch)),
                static_cast<int>(std::llround(-y * dpiY / kTwipsPerInch)));
}

// Fonts are realised when drawn, so a mapping mode chosen after SelectFont still applies.
// The system font is a device font: its size never follows the mapping.
QFont RasterCanvas::CurrentFont() {
  if (m_systemFont) {
    return m_fonts.Resolve(SystemFontDescription());
  }
  FontDescription device = m_font;
  if (m_mapMode == MapMode::Twips) {
    device.height = TwipsToPixels(m_font.height, m_image.logicalDpiY());
    device.width = TwipsToPixels(m_font.width, m_image.logicalDpiX());
  }
  return m_fonts.Resolve(device);
}

// Fills the part of [left, right) x [top, bottom) inside the image; computing in 64 bits
// keeps boxes reaching far outside from overflowing QRect.
void RasterCanvas::FillClipped(QPainter& painter, long long left, long long top, long long right,
                               long long bottom, const QColor& colour) const {
  left = std::max(left, 0LL);
  top = std::max(top, 0LL);
  right = std::min<long long>(right, m_image.width());
  bottom = std::min<long long>(bottom, m_image.height());
  if (left < right && top < bottom) {
    painter.fillRect(QRect(int(left), int(top), int(right - left), int(bottom - top)), colour);
  }
}

// QPainter's outlined rectangles are a pixel too large (and 1 x 1 boxes vanish), so the
// fill and the four edges are filled as rectangles of their own.
void RasterCanvas::Rectangle(int left, int top, int right, int bottom) {
  const QPoint a = ToDevice(left, top);
  const QPoint b = ToDevice(right, bottom);
  const long long l = std::min(a.x(), b.x());
  const long long r = std::max(a.x(), b.x());
  const long long t = std::min(a.y(), b.y());
  const long long btm = std::max(a.y(), b.y());
  if (r <= l || btm <= t) {
    return;
  }
  QPainter painter(&m_image);
  const QColor pen = Qt::black;
  FillClipped(painter, l, t, r, btm, m_brush);
  FillClipped(painter, l, t, r, t + 1, pen);
  FillClipped(painter, l, btm - 1, r, btm, pen);
  FillClipped(painter, l, t, l + 1, btm, pen);
  FillClipped(painter, r - 1, t, r, btm, pen);
}

void RasterCanvas::MoveTo(int x, int y) {
  m_position = QPoint(x, y);
}

void RasterCanvas::LineTo(int x, int y) {
  DrawLineWithoutEndPoint(m_image, ToDevice(m_position.x(), m_position.y()), ToDevice(x, y),
                          qRgb(0, 0, 0));
  m_position = QPoint(x, y);
}

// The cell's top-left stays at the point whatever the escapement: the painter turns
// about it, counter-clockwise for positive tenths of a degree.
void RasterCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty()) {
    return;
  }
  const bool greek = !m_systemFont && m_font.charSet == CharSet::Greek;
  const QString string = QString::fromStdString(greek ? Cp1253ToUtf8(text) : Cp1252ToUtf8(text));
  const int escapement = m_systemFont ? 0 : m_font.escapement;
  QPainter painter(&m_image);
  painter.setFont(CurrentFont());
  const QFontMetrics metrics = painter.fontMetrics();
  painter.translate(ToDevice(x, y));
  if (escapement % 3600 != 0) {
    painter.rotate(-escapement / 10.0);
  }
  if (m_bkMode == BkMode::Opaque) {
    painter.fillRect(
        QRect(0, 0, metrics.horizontalAdvance(string), metrics.ascent() + metrics.descent()),
        m_bkColor);
  }
  painter.setPen(Qt::black);
  painter.drawText(QPoint(0, metrics.ascent()), string);
}

void RasterCanvas::SetPixel(int x, int y, Rgb colour) {
  const QPoint at = ToDevice(x, y);
  if (m_image.rect().contains(at)) {
    m_image.setPixel(at, qRgb(colour.r, colour.g, colour.b));
  }
}

}  // namespace volmograph
