#pragma once

// GDI's LineTo on pixels: Bresenham's line from one point towards another, without the end
// point. QPainter's sloped lines choose other pixels, so the line is set pixel by pixel.

#include <QImage>
#include <QPoint>

namespace volmograph {

// Sets the pixels of the line from `from` up to, not including, `to`; pixels outside the
// image are skipped. Only the visible part is walked, so end points far outside the image
// cost no more than a line across it.
void DrawLineWithoutEndPoint(QImage& image, QPoint from, QPoint to, QRgb colour);

}  // namespace volmograph
