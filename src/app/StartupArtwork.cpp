#include "app/StartupArtwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "qt/PaintedIconEngine.h"

namespace volmograph::shell {

namespace {

void DrawBackground(QPainter& p) {
  QLinearGradient sky(0, 0, 0, kStartupPictureHeight);
  sky.setColorAt(0.0, QColor(10, 30, 90));
  sky.setColorAt(1.0, QColor(0, 0, 30));
  p.fillRect(0, 0, kStartupPictureWidth, kStartupPictureHeight, sky);
  p.setPen(QColor(40, 70, 140));
  for (int x = 150; x < kStartupPictureWidth; x += 20) {
    p.drawLine(x, 120, x, 210);
  }
  for (int y = 120; y <= 210; y += 15) {
    p.drawLine(150, y, kStartupPictureWidth - 13, y);
  }
}

void DrawReading(QPainter& p) {
  QFont digits(QStringLiteral("DejaVu Sans Mono"));
  digits.setPixelSize(22);
  digits.setBold(true);
  p.setFont(digits);
  p.setPen(QColor(20, 30, 20));
  p.drawText(QRectF(34, 30, 78, 30), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("1.503"));
  QFont small(QStringLiteral("DejaVu Sans"));
  small.setPixelSize(9);
  p.setFont(small);
  p.drawText(QRectF(36, 56, 76, 12), Qt::AlignRight, QStringLiteral("V dc"));
}

void DrawMeter(QPainter& p, bool withReading) {
  // Holster and body.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(230, 160, 20));
  p.drawRoundedRect(QRectF(18, 12, 112, 206), 16, 16);
  p.setBrush(QColor(60, 60, 66));
  p.drawRoundedRect(QRectF(26, 20, 96, 190), 10, 10);
  // Display with a reading.
  p.setBrush(QColor(150, 190, 150));
  p.drawRect(34, 30, 80, 40);
  if (withReading) {
    DrawReading(p);
  }
  // Rotary switch with its pointer.
  p.setPen(QColor(20, 20, 20));
  p.setBrush(QColor(35, 35, 38));
  p.drawEllipse(QPointF(74, 125), 30, 30);
  p.setBrush(QColor(200, 200, 200));
  p.drawEllipse(QPointF(74, 125), 20, 20);
  p.setPen(QPen(QColor(200, 30, 30), 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(74, 125), QPointF(60, 111));
  // Input jacks.
  const QColor jacks[] = {QColor(20, 20, 20), QColor(20, 20, 20), QColor(200, 30, 30)};
  for (int i = 0; i < 3; ++i) {
    p.setPen(QColor(120, 120, 120));
    p.setBrush(jacks[i]);
    p.drawEllipse(QPointF(46 + 28 * i, 188), 8, 8);
  }
}

void DrawTrace(QPainter& p) {
  QPainterPath trace;
  for (int x = 150; x < kStartupPictureWidth - 13; ++x) {
    const double t = (x - 150) / 40.0;
    const double y = 165 - 28 * std::sin(t) * std::exp(-0.08 * t) - 6 * std::sin(3.1 * t);
    if (x == 150) {
      trace.moveTo(x, y);
    } else {
      trace.lineTo(x, y);
    }
  }
  p.setPen(QPen(QColor(0, 255, 0), 2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(trace);
}

void DrawTitle(QPainter& p) {
  QFont title(QStringLiteral("DejaVu Sans"));
  title.setPixelSize(38);
  title.setBold(true);
  p.setFont(title);
  p.setPen(QColor(255, 255, 0));
  p.drawText(QRect(140, 22, 265, 50), Qt::AlignCenter, QStringLiteral("Volmograph"));
  QFont subtitle(QStringLiteral("DejaVu Sans"));
  subtitle.setPixelSize(13);
  p.setFont(subtitle);
  p.setPen(QColor(220, 230, 255));
  p.drawText(QRect(140, 70, 265, 20), Qt::AlignCenter,
             QStringLiteral("Multimeter recorder  \u2022  Version 3.1B"));
}

}  // namespace

QImage StartupArtwork() {
  QImage image(kStartupPictureWidth, kStartupPictureHeight, QImage::Format_RGB888);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawBackground(painter);
  DrawTrace(painter);
  DrawMeter(painter, true);
  DrawTitle(painter);
  return image;
}

}  // namespace volmograph::shell

namespace volmograph::shell {

namespace {

QImage DrawApplicationIcon() {
  QImage icon(32, 32, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  // The meter stands 206 pixels tall in the picture; shrink it to the icon's height.
  painter.translate(16, 0);
  painter.scale(32.0 / 210, 32.0 / 210);
  painter.translate(-74, -10);
  // Digits would not be legible at this size, and leaving them out spares loading fonts.
  DrawMeter(painter, false);
  return icon;
}

class IconOnDemand : public PaintedIconEngine {
 public:
  QIconEngine* clone() const override { return new IconOnDemand(*this); }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {kSize}; }
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    return kSize.boundedTo(size);
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(rect, ApplicationIconPicture());
    painter->restore();
  }

 private:
  static constexpr QSize kSize{32, 32};
};

}  // namespace

QImage ApplicationIconPicture() {
  static const QImage icon = DrawApplicationIcon();
  return icon;
}

QIcon ApplicationIcon() {
  return QIcon(new IconOnDemand);
}

}  // namespace volmograph::shell
