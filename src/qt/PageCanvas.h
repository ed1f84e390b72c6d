#pragma once

// The Canvas on a page: a QPainter on a printer or PDF page (any QPagedPaintDevice, or an
// image for tests). Twips land 1/1440 inch right of and below the painter's origin for
// (x, -y), the device's resolution deciding the scale; text stays upright, its cell's
// top-left at the point. Lines and outlines use the thinnest black pen the device draws,
// SetPixel sets one device dot, and the default font is a 10-point monospaced font, so the
// fixed columns of a sample line stay in line.
//
// Fonts need a QGuiApplication (see EnsureGuiApplication) before the first TextOut.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPoint>
#include <QTransform>
#include <string>

#include "platform/Canvas.h"
#include "qt/FontResolver.h"
#include "qt/SelectionCanvas.h"

namespace volmograph {

// The default font of a page: Courier New (Liberation Mono here), 10 points, given in twips.
FontDescription PageFontDescription();

class PageCanvas final : public SelectionCanvas {
 public:
  // A freshly taken device context on `painter`'s device: pixel mapping, white brush,
  // opaque white text background, the default font. The painter must be active and must
  // outlive the canvas; its transform at this moment is the page's own and is kept.
  explicit PageCanvas(QPainter& painter);
  // Gives the painter back as it was, ready for the next page's device context.
  ~PageCanvas() override;
  PageCanvas(const PageCanvas&) = delete;
  PageCanvas& operator=(const PageCanvas&) = delete;

  void Rectangle(int left, int top, int right, int bottom) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, const std::string& text) override;
  void SetPixel(int x, int y, Rgb colour) override;

 private:
  // Logical units to device pixels for the current mapping mode.
  QTransform Mapping() const;
  QPointF ToDevice(int x, int y) const;
  // Device pixels per logical unit of the current font's size.
  double FontScaleX() const;
  double FontScaleY() const;

  QPainter& m_painter;
  QTransform m_pageTransform;
  FontResolver m_fonts;
  double m_twipX;  // device pixels per twip
  double m_twipY;
};

}  // namespace volmograph
