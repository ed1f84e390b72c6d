#include "qt/FontResolver.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QString>
#include <algorithm>
#include <cstdlib>

namespace volmograph {
namespace {

constexpr int kMaxPixels = 2000;        // far beyond any font the program asks for
constexpr int kMaxStretch = 4000;       // QFont's own limit
constexpr std::size_t kMaxCached = 64;  // a handful in practice; bounds a misbehaving caller

int Magnitude(int value) {
  const long long magnitude = std::llabs(static_cast<long long>(value));
  return static_cast<int>(std::clamp<long long>(magnitude, 1, kMaxPixels));
}

// GDI's weights and Qt 6's share the OpenType scale; 0 means "don't care", i.e. normal.
QFont::Weight QtWeight(int gdiWeight) {
  if (gdiWeight <= 0) {
    return QFont::Normal;
  }
  return static_cast<QFont::Weight>(std::min(gdiWeight, 1000));
}

}  // namespace

FontDescription SystemFontDescription() {
  FontDescription font;
  font.family = "Liberation Sans";
  font.height = 16;
  font.weight = 700;
  return font;
}

QFont FontResolver::Resolve(const FontDescription& description) {
  for (const auto& [known, font] : m_cache) {
    if (known == description) {
      return font;
    }
  }
  if (m_cache.size() >= kMaxCached) {
    m_cache.clear();
  }
  m_cache.emplace_back(description, Build(description));
  return m_cache.back().second;
}

QFont FontResolver::Build(const FontDescription& description) const {
  QFont font(QString::fromStdString(description.family));
  // TextOut neither shapes nor substitutes glyphs, and the view's texts are code pages 1252
  // and 1253 (Latin and Greek, which need no shaping), so shaping would only cost time: it
  // was about 7 % of the window's time in line mode. Fonts for typed text put it back.
  font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferNoShaping));
  font.setKerning(false);  // TextOut places glyphs by their advances alone
  font.setWeight(QtWeight(description.weight));
  if (description.height < 0) {
    font.setPixelSize(Magnitude(description.height));
  } else {
    // Height 0 asks for the mapper's default size: the system font's cell.
    const int cell =
        description.height == 0 ? SystemFontDescription().height : Magnitude(description.height);
    SetCellHeight(font, cell);
  }
  if (description.width != 0) {
    FitAverageWidth(font, Magnitude(description.width));
  }
  return font;
}

// Qt rounds ascent and descent separately, so a cell height is reached by stepping the
// pixel size from an estimate: the largest size whose cell still fits. Some heights cannot
// be met exactly; the next smaller cell is taken then, as GDI does.
void FontResolver::SetCellHeight(QFont& font, int cellHeight) const {
  QFont large = font;
  large.setPixelSize(1000);
  const QFontMetricsF metrics(large, m_device);
  double cellPerPixel = (metrics.ascent() + metrics.descent()) / 1000.0;
  if (cellPerPixel <= 0) {
    cellPerPixel = 1;
  }
  int pixels = std::clamp(qRound(cellHeight / cellPerPixel), 1, kMaxPixels);
  while (pixels > 1 && CellHeightAt(font, pixels) > cellHeight) {
    --pixels;
  }
  while (pixels < kMaxPixels && CellHeightAt(font, pixels + 1) <= cellHeight) {
    ++pixels;
  }
  font.setPixelSize(pixels);
}

// The stretch that scales the average width to `width`, then corrected a step at a time
// because the metrics round.
void FontResolver::FitAverageWidth(QFont& font, int width) const {
  const double natural = QFontMetricsF(font, m_device).averageCharWidth();
  if (natural <= 0) {
    return;
  }
  font.setStretch(std::clamp(qRound(100.0 * width / natural), 1, kMaxStretch));
  for (int step = 0; step < 16; ++step) {
    const int actual = AverageWidth(font);
    const int next = font.stretch() + (actual < width ? 1 : -1);
    if (actual == width || next < 1 || next > kMaxStretch) {
      return;
    }
    QFont trial = font;
    trial.setStretch(next);
    if (std::abs(AverageWidth(trial) - width) > std::abs(actual - width)) {
      return;
    }
    font = trial;
  }
}

int FontResolver::CellHeightAt(QFont font, int pixelSize) const {
  font.setPixelSize(pixelSize);
  const QFontMetrics metrics(font, m_device);
  return metrics.ascent() + metrics.descent();
}

int FontResolver::AverageWidth(const QFont& font) const {
  return QFontMetrics(font, m_device).averageCharWidth();
}

}  // namespace volmograph
