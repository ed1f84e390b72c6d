#include "qt/PageCanvas.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPen>
#include <QRect>
#include <QRectF>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/TextEncoding.h"

namespace volmograph {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr int kDefaultFontTwips = 200;  // 10 points: 67 columns of 120 twips fit the page

// The thinnest line the device draws: one device dot, whatever the scale.
QPen HairlinePen() {
  QPen pen(Qt::black, 0);
  pen.setCosmetic(true);
  return pen;
}

}  // namespace

FontDescription PageFontDescription() {
  FontDescription font;
  font.family = "Courier New";
  font.height = -kDefaultFontTwips;  // negative: the character height, as a point size gives
  return font;
}

PageCanvas::PageCanvas(QPainter& painter)
    : m_painter(painter),
      m_pageTransform(painter.transform()),
      m_fonts(painter.device()),
      m_twipX(painter.device()->logicalDpiX() / kTwipsPerInch),
      m_twipY(painter.device()->logicalDpiY() / kTwipsPerInch) {
  m_painter.save();
}

PageCanvas::~PageCanvas() {
  m_painter.restore();
}

// In twips y grows upwards: (x, -y) lies right of and below the origin.
QTransform PageCanvas::Mapping() const {
  if (m_mapMode == MapMode::Twips) {
    return QTransform(m_twipX, 0, 0, -m_twipY, 0, 0);
  }
  return QTransform();
}

QPointF PageCanvas::ToDevice(int x, int y) const {
  return Mapping().map(QPointF(x, y));
}

// A selected font is sized in logical units; the default font is a device font, always the
// same size on paper.
double PageCanvas::FontScaleX() const {
  return m_systemFont || m_mapMode == MapMode::Twips ? m_twipX : 1.0;
}

double PageCanvas::FontScaleY() const {
  return m_systemFont || m_mapMode == MapMode::Twips ? m_twipY : 1.0;
}

// Drawn on whole device dots, as GDI does: the box covers the dots from its left edge up
// to, not including, its right edge, and the outline is one dot wide inside it.
void PageCanvas::Rectangle(int left, int top, int right, int bottom) {
  const QPoint a = ToDevice(left, top).toPoint();
  const QPoint b = ToDevice(right, bottom).toPoint();
  const QRect box(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::abs(a.x() - b.x()),
                  std::abs(a.y() - b.y()));
  if (box.isEmpty()) {
    return;
  }
  m_painter.setTransform(m_pageTransform);
  m_painter.fillRect(box, m_brush);
  m_painter.fillRect(QRect(box.left(), box.top(), box.width(), 1), Qt::black);
  m_painter.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), Qt::black);
  m_painter.fillRect(QRect(box.left(), box.top(), 1, box.height()), Qt::black);
  m_painter.fillRect(QRect(box.right(), box.top(), 1, box.height()), Qt::black);
}

void PageCanvas::MoveTo(int x, int y) {
  m_position = QPoint(x, y);
}

// A line that stays on one device dot draws nothing, as LineTo leaves out its end point; on
// longer lines the end dot (1/1200 inch on a PDF page) is left in.
void PageCanvas::LineTo(int x, int y) {
  const QPointF from = ToDevice(m_position.x(), m_position.y());
  const QPointF to = ToDevice(x, y);
  m_position = QPoint(x, y);
  if (from.toPoint() == to.toPoint()) {
    return;
  }
  m_painter.setTransform(m_pageTransform);
  m_painter.setPen(HairlinePen());
  m_painter.drawLine(from, to);
}

// Upright text: the painter moves to the point and scales to the font's units there, rather
// than drawing under the flipped mapping, which would turn the glyphs upside down.
void PageCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty()) {
    return;
  }
  const FontDescription description = m_systemFont ? PageFontDescription() : m_font;
  const bool greek = description.charSet == CharSet::Greek;
  const QString string = QString::fromStdString(greek ? Cp1253ToUtf8(text) : Cp1252ToUtf8(text));
  const QFont font = m_fonts.Resolve(description);
  const QFontMetricsF metrics(font, m_painter.device());

  m_painter.setTransform(m_pageTransform);
  m_painter.translate(ToDevice(x, y));
  m_painter.scale(FontScaleX(), FontScaleY());
  if (description.escapement % 3600 != 0) {
    m_painter.rotate(-description.escapement / 10.0);
  }
  if (m_bkMode == BkMode::Opaque) {
    m_painter.fillRect(
        QRectF(0, 0, metrics.horizontalAdvance(string), metrics.ascent() + metrics.descent()),
        m_bkColor);
  }
  m_painter.setFont(font);
  m_painter.setPen(Qt::black);
  m_painter.drawText(QPointF(0, metrics.ascent()), string);
}

void PageCanvas::SetPixel(int x, int y, Rgb colour) {
  const QPointF at = ToDevice(x, y);
  m_painter.setTransform(m_pageTransform);
  m_painter.fillRect(QRectF(std::floor(at.x()), std::floor(at.y()), 1, 1), ToQColor(colour));
}

}  // namespace volmograph
