#include "app/ToolbarIcons.h"

#include <QPainter>
#include <QPolygon>

#include "app/ShellIds.h"
#include "view/Ids.h"

namespace volmograph::shell {

namespace {

// Colours of the classic 16-colour palette.
const QColor kBlackInk(0, 0, 0);
const QColor kDarkGrey(128, 128, 128);
const QColor kLightGrey(192, 192, 192);
const QColor kWhiteInk(255, 255, 255);
const QColor kNavy(0, 0, 128);
const QColor kDarkYellow(128, 128, 0);
const QColor kYellowInk(255, 255, 0);
const QColor kGreenInk(0, 128, 0);
const QColor kMaroon(128, 0, 0);

void Box(QPainter& p, int x, int y, int w, int h, const QColor& fill, const QColor& edge) {
  p.fillRect(x, y, w, h, edge);
  p.fillRect(x + 1, y + 1, w - 2, h - 2, fill);
}

void DrawFolder(QPainter& p) {
  Box(p, 1, 4, 10, 2, kYellowInk, kBlackInk);   // tab
  Box(p, 1, 5, 13, 9, kDarkYellow, kBlackInk);  // back
  const QPolygon front({QPoint(3, 8), QPoint(15, 8), QPoint(13, 13), QPoint(1, 13)});
  p.setPen(kBlackInk);
  p.setBrush(kYellowInk);
  p.drawPolygon(front);
  p.drawLine(10, 1, 13, 1);  // the opening arrow
  p.drawLine(13, 1, 13, 4);
}

void DrawDiskette(QPainter& p) {
  Box(p, 1, 1, 14, 14, kNavy, kBlackInk);
  Box(p, 4, 1, 8, 6, kWhiteInk, kBlackInk);   // label
  Box(p, 4, 9, 8, 6, kLightGrey, kBlackInk);  // shutter
  p.fillRect(9, 10, 2, 4, kNavy);
}

void DrawPrinter(QPainter& p) {
  Box(p, 4, 0, 8, 6, kWhiteInk, kBlackInk);    // paper in
  Box(p, 1, 5, 14, 6, kLightGrey, kBlackInk);  // body
  p.fillRect(11, 7, 2, 1, kGreenInk);          // lamp
  Box(p, 3, 10, 10, 5, kWhiteInk, kBlackInk);  // paper out
  p.fillRect(5, 12, 6, 1, kDarkGrey);
}

void DrawPlay(QPainter& p) {
  p.setPen(kBlackInk);
  p.setBrush(kGreenInk);
  p.drawPolygon(QPolygon({QPoint(4, 2), QPoint(12, 7), QPoint(4, 12)}));
}

void DrawStop(QPainter& p) {
  Box(p, 3, 3, 10, 9, kMaroon, kBlackInk);
}

void DrawPause(QPainter& p) {
  Box(p, 3, 2, 4, 11, kNavy, kBlackInk);
  Box(p, 9, 2, 4, 11, kNavy, kBlackInk);
}

}  // namespace

QImage ToolbarPicture(int commandId) {
  void (*draw)(QPainter&) = nullptr;
  switch (commandId) {
    case kFileOpen:
      draw = DrawFolder;
      break;
    case kFileSave:
      draw = DrawDiskette;
      break;
    case kPrint:
      draw = DrawPrinter;
      break;
    case cmd::kStart:
      draw = DrawPlay;
      break;
    case cmd::kStop:
      draw = DrawStop;
      break;
    case cmd::kPause:
      draw = DrawPause;
      break;
    default:
      return {};
  }
  QImage image(kToolbarIconWidth, kToolbarIconHeight, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  draw(painter);
  return image;
}

}  // namespace volmograph::shell
