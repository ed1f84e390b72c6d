#pragma once

// Dialog units to pixels. The template font ("MS Sans Serif" 8 point, 11 pixels at 96 dpi)
// averages 7 x 13 pixels a character, so 4 units across make 7 pixels and 8 units down make
// 13. On denser screens both grow with the logical dpi; below 96 dpi they stay as at 96, so
// the display frame always holds its whole picture.

#include <QRect>
#include <QSize>

#include "platform/DialogTemplate.h"

namespace volmograph {

class DialogUnits {
 public:
  explicit DialogUnits(int logicalDpi);

  QRect ToPixels(const DialogRect& rect) const;
  QSize SizeToPixels(const DialogRect& rect) const;
  // The template font's pixel size (a point is 1/72 inch).
  int FontPixelSize(int pointSize) const;
  int Dpi() const { return m_dpi; }

 private:
  int X(int units) const;
  int Y(int units) const;

  int m_dpi;
};

}  // namespace volmograph
