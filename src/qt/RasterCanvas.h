#pragma once

// The Canvas on an off-screen QImage, drawing the pixels GDI would: rectangles cover
// columns left..right-1 and rows top..bottom-1 with a 1-pixel black outline, lines are
// Bresenham's without their end point, text cells start at the given point, and text
// bytes are code page 1253 for Greek fonts, 1252 otherwise.
//
// Fonts need a QGuiApplication (see EnsureGuiApplication) before the first TextOut.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <string>

#include "platform/Canvas.h"
#include "qt/FontResolver.h"
#include "qt/SelectionCanvas.h"

namespace volmograph {

class RasterCanvas final : public SelectionCanvas {
 public:
  // The size of the display frame's pictures.
  static constexpr int kDefaultWidth = 453;
  static constexpr int kDefaultHeight = 172;

  // A white picture of the given size.
  explicit RasterCanvas(int width = kDefaultWidth, int height = kDefaultHeight);
  // The font resolver measures on this canvas's image, so the canvas stays where it is.
  RasterCanvas(const RasterCanvas&) = delete;
  RasterCanvas& operator=(const RasterCanvas&) = delete;

  // Back to a freshly taken device context: white brush, opaque background in white,
  // the system font, pixel coordinates, current position (0, 0). The picture stays.
  void RestoreDefaults();

  const QImage& Image() const { return m_image; }

  void Rectangle(int left, int top, int right, int bottom) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, const std::string& text) override;
  void SetPixel(int x, int y, Rgb colour) override;

 private:
  QPoint ToDevice(int x, int y) const;
  QFont CurrentFont();
  void FillClipped(QPainter& painter, long long left, long long top, long long right,
                   long long bottom, const QColor& colour) const;

  QImage m_image;
  FontResolver m_fonts;
};

}  // namespace volmograph
