#pragma once

// Font descriptions turned into Qt fonts with the cell metrics GDI gives them: a positive
// height is the cell height (ascent + descent) in pixels, a negative one the character
// height (the pixel size); a nonzero width is the average character width, reached by
// stretching the glyphs. Glyphs are never antialiased, as with GDI's default quality.

#include <QFont>
#include <utility>
#include <vector>

#include "platform/Graphics.h"

class QPaintDevice;

namespace volmograph {

// The device context's own font. GDI's system font is a bold sans with a 16-pixel cell
// (ascent 13, descent 3) and 8-pixel digits; Liberation Sans Bold has exactly these
// metrics, so labels placed for it (a digit centred on a tick, a number ending just before
// the axis) land where they were meant to.
FontDescription SystemFontDescription();

class FontResolver {
 public:
  // `device` supplies the resolution the metrics are taken at; it must outlive the resolver.
  explicit FontResolver(const QPaintDevice* device) : m_device(device) {}

  // Resolved once per description, then served from the cache: graphs draw the same few
  // fonts hundreds of times.
  QFont Resolve(const FontDescription& description);

 private:
  QFont Build(const FontDescription& description) const;
  void SetCellHeight(QFont& font, int cellHeight) const;
  void FitAverageWidth(QFont& font, int width) const;
  int CellHeightAt(QFont font, int pixelSize) const;
  int AverageWidth(const QFont& font) const;

  const QPaintDevice* m_device;
  std::vector<std::pair<FontDescription, QFont>> m_cache;
};

}  // namespace volmograph
