#include "qt/DrawnIconStyle.h"

#include <qdrawutil.h>
#include <QGroupBox>
#include <QMainWindow>
#include <QPainter>
#include <QPixmapCache>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>

#include "qt/PaintedIconEngine.h"

namespace volmograph {

namespace {

// The glyph of a title-bar or toolbar button, drawn to whatever size is asked for.
class GlyphEngine : public PaintedIconEngine {
 public:
  explicit GlyphEngine(QStyle::StandardPixmap glyph) : m_glyph(glyph) {}

  QIconEngine* clone() const override { return new GlyphEngine(m_glyph); }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    const QColor ink = mode == QIcon::Disabled ? QColor(160, 160, 160) : QColor(40, 40, 40);
    const qreal unit = std::min(rect.width(), rect.height()) / 10.0;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.x() + (rect.width() - 10 * unit) / 2,
                       rect.y() + (rect.height() - 10 * unit) / 2);
    painter->scale(unit, unit);
    painter->setPen(QPen(ink, 1.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter->setBrush(Qt::NoBrush);
    DrawGlyph(*painter, ink);
    painter->restore();
  }

 private:
  // On a 10 x 10 grid.
  void DrawGlyph(QPainter& painter, const QColor& ink) const {
    switch (m_glyph) {
      case QStyle::SP_TitleBarMinButton:
        painter.fillRect(QRectF(2, 7, 6, 1.5), ink);
        break;
      case QStyle::SP_TitleBarMaxButton:
        painter.drawRect(QRectF(2, 2, 6, 6));
        painter.fillRect(QRectF(2, 2, 6, 1.5), ink);
        break;
      case QStyle::SP_TitleBarNormalButton:
        painter.drawRect(QRectF(1.5, 4, 4.5, 4.5));
        painter.drawPolyline(QPolygonF({{3.5, 4}, {3.5, 1.5}, {8.5, 1.5}, {8.5, 6.5}, {6, 6.5}}));
        break;
      case QStyle::SP_ToolBarHorizontalExtensionButton:
        painter.drawPolyline(QPolygonF({{2, 2}, {5, 5}, {2, 8}}));
        painter.drawPolyline(QPolygonF({{5.5, 2}, {8.5, 5}, {5.5, 8}}));
        break;
      case QStyle::SP_ToolBarVerticalExtensionButton:
        painter.drawPolyline(QPolygonF({{2, 2}, {5, 5}, {8, 2}}));
        painter.drawPolyline(QPolygonF({{2, 5.5}, {5, 8.5}, {8, 5.5}}));
        break;
      default:  // the close button
        painter.drawLine(QPointF(2, 2), QPointF(8, 8));
        painter.drawLine(QPointF(8, 2), QPointF(2, 8));
        break;
    }
  }

  QStyle::StandardPixmap m_glyph;
};

bool IsDrawnGlyph(QStyle::StandardPixmap icon) {
  switch (icon) {
    case QStyle::SP_TitleBarMinButton:
    case QStyle::SP_TitleBarMaxButton:
    case QStyle::SP_TitleBarCloseButton:
    case QStyle::SP_TitleBarNormalButton:
    case QStyle::SP_ToolBarHorizontalExtensionButton:
    case QStyle::SP_ToolBarVerticalExtensionButton:
      return true;
    default:
      return false;
  }
}

// Fusion's group-box frame is a picture of translucent greys, so it reads on light and dark
// palettes alike: a faint shade inside, a slightly deeper one along the inner edge, and the
// outline.
void DrawGroupFrame(QPainter& painter, const QRect& area) {
  const QRectF frame = QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 3));
  painter.drawRoundedRect(frame, 2, 2);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QColor(0, 0, 0, 4));
  painter.drawRoundedRect(frame.adjusted(1, 1, -1, -1), 1.5, 1.5);
  painter.setPen(QColor(115, 115, 115, 49));
  painter.drawRoundedRect(frame, 2, 2);
  painter.restore();
}

// The frame of the smallest box with whole corners, whose middle row and column stretch to
// any larger one.
constexpr int kFrameCorner = 6;
constexpr int kFramePatchSide = 2 * kFrameCorner + 1;

QPixmap GroupFramePatch() {
  static const QString key = QStringLiteral("volmograph-group-frame");
  QPixmap patch;
  if (!QPixmapCache::find(key, &patch)) {
    QImage picture(kFramePatchSide, kFramePatchSide, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    DrawGroupFrame(painter, picture.rect());
    painter.end();
    patch = QPixmap::fromImage(picture);
    QPixmapCache::insert(key, patch);
  }
  return patch;
}

}  // namespace

DrawnIconStyle::DrawnIconStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

QIcon DrawnIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                   const QWidget* widget) const {
  if (IsDrawnGlyph(icon)) {
    return QIcon(new GlyphEngine(icon));
  }
  return QProxyStyle::standardIcon(icon, option, widget);
}

// A group box's frame, drawn as Fusion's own: below the title, one pixel in from the left.
void DrawnIconStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
  if (element != PE_FrameGroupBox) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  constexpr int kTopMargin = 3;
  const auto* box = qobject_cast<const QGroupBox*>(widget);
  const bool untitled = box != nullptr && !box->isCheckable() && box->title().isEmpty();
  const int top =
      untitled ? kTopMargin
               : std::max(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) +
                     kTopMargin;
  const QRect frame = option->rect.adjusted(1, top + 1, 0, 0);
  // The stretched picture holds only where a device pixel is a pixel.
  if (frame.width() < kFramePatchSide || frame.height() < kFramePatchSide ||
      painter->deviceTransform().isScaling()) {
    DrawGroupFrame(*painter, frame);
    return;
  }
  qDrawBorderPixmap(painter, frame,
                    QMargins(kFrameCorner, kFrameCorner, kFrameCorner, kFrameCorner),
                    GroupFramePatch());
}

// Fusion's toolbar under the menu bar: a gradient from a lighter shade of the window's colour,
// a light line at the top, and a dark line over a light one at the bottom, where the
// document begins. Other toolbars are Fusion's own.
void DrawnIconStyle::drawControl(ControlElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
  const auto* bar = qstyleoption_cast<const QStyleOptionToolBar*>(option);
  const bool lastTopBar = bar != nullptr && (bar->state & State_Horizontal) &&
                          bar->toolBarArea == Qt::TopToolBarArea &&
                          (bar->positionOfLine == QStyleOptionToolBar::End ||
                           bar->positionOfLine == QStyleOptionToolBar::OnlyOne);
  // Fusion's lines are strokes, which fall half a pixel apart from fills where the painter
  // scales.
  if (element != CE_ToolBar || !lastTopBar || widget == nullptr ||
      qobject_cast<const QMainWindow*>(widget->parentWidget()) == nullptr ||
      painter->deviceTransform().isScaling()) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  const QRect area = option->rect;
  const QColor window = option->palette.window().color();
  QLinearGradient gradient(area.topLeft(), area.bottomLeft());
  gradient.setColorAt(0, window.lighter(104));
  gradient.setColorAt(1, window);
  painter->fillRect(area, gradient);
  const QColor light(255, 255, 255, 90);
  const QColor shadow(0, 0, 0, 60);
  painter->fillRect(QRect(area.left(), area.bottom(), area.width(), 1), light);
  painter->fillRect(QRect(area.left(), area.bottom() - 1, area.width(), 1), shadow);
  painter->fillRect(QRect(area.left(), area.top(), area.width(), 1), light);
}

}  // namespace volmograph
