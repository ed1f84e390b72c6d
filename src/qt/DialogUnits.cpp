#include "qt/DialogUnits.h"

#include <algorithm>

namespace volmograph {

namespace {

constexpr int kBaseDpi = 96;
constexpr int kBaseX = 7;   // pixels per 4 units across at 96 dpi
constexpr int kBaseY = 13;  // pixels per 8 units down at 96 dpi

}  // namespace

DialogUnits::DialogUnits(int logicalDpi) : m_dpi(std::clamp(logicalDpi, kBaseDpi, 8 * kBaseDpi)) {}

// Truncated, as the form's frame of 261 x 116 units is 456 x 188 pixels at 96 dpi.
int DialogUnits::X(int units) const {
  return static_cast<int>(static_cast<long long>(units) * kBaseX * m_dpi / (4 * kBaseDpi));
}

int DialogUnits::Y(int units) const {
  return static_cast<int>(static_cast<long long>(units) * kBaseY * m_dpi / (8 * kBaseDpi));
}

QRect DialogUnits::ToPixels(const DialogRect& rect) const {
  return QRect(X(rect.x), Y(rect.y), X(rect.width), Y(rect.height));
}

QSize DialogUnits::SizeToPixels(const DialogRect& rect) const {
  return QSize(X(rect.width), Y(rect.height));
}

int DialogUnits::FontPixelSize(int pointSize) const {
  return std::max(1, (pointSize * m_dpi + 36) / 72);
}

}  // namespace volmograph
