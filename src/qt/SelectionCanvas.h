#pragma once

// What a device context holds selected, shared by the raster and the page canvas: brush,
// background mode and colour, mapping mode, font, and the current position. Only their
// drawing differs.

#include <QColor>
#include <QPoint>

#include "platform/Canvas.h"

namespace volmograph {

inline QColor ToQColor(Rgb colour) {
  return QColor(colour.r, colour.g, colour.b);
}

class SelectionCanvas : public Canvas {
 public:
  void SelectBrush(Rgb colour) override { m_brush = ToQColor(colour); }
  void SetBkMode(BkMode mode) override { m_bkMode = mode; }
  void SetBkColor(Rgb colour) override { m_bkColor = ToQColor(colour); }
  void SetMapMode(MapMode mode) override { m_mapMode = mode; }
  void SelectFont(const FontDescription& font) override {
    m_font = font;
    m_systemFont = false;
  }
  void SelectDefaultFont() override { m_systemFont = true; }

 protected:
  // Back to a freshly taken device context: white brush, opaque white text background,
  // the default font, pixel units, current position (0, 0).
  void RestoreSelection() {
    m_brush = Qt::white;
    m_bkMode = BkMode::Opaque;
    m_bkColor = Qt::white;
    m_mapMode = MapMode::Pixels;
    m_systemFont = true;
    m_position = QPoint(0, 0);
  }

  QColor m_brush = Qt::white;
  BkMode m_bkMode = BkMode::Opaque;
  QColor m_bkColor = Qt::white;
  MapMode m_mapMode = MapMode::Pixels;
  bool m_systemFont = true;
  FontDescription m_font;
  QPoint m_position;  // in logical units, as MoveTo named it
};

}  // namespace volmograph
