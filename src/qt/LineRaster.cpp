#include "qt/LineRaster.h"

#include <algorithm>
#include <cstdlib>

namespace volmograph {
namespace {

// 2 * n * minor overflows 64 bits for end points near the ends of the int range.
__extension__ typedef __int128 Wide;

// The minor-axis offset of pixel n: the incremental loop
//   e = dx + dy; e2 = 2e; if (e2 >= dy) step x; if (e2 <= dx) step y
// steps the major axis every time and the minor one exactly when this value grows, so any
// pixel of the line can be computed without walking to it.
long long MinorOffset(long long n, long long minor, long long steps) {
  return static_cast<long long>((Wide(2) * n * minor + steps) / (Wide(2) * steps));
}

// The steps n (0 <= n < steps) at which start + direction * n lies within [0, size).
bool VisibleSteps(long long start, int direction, long long size, long long steps, long long& first,
                  long long& last) {
  const long long low = direction > 0 ? -start : start - size + 1;
  const long long high = direction > 0 ? size - 1 - start : start;
  first = std::max(low, 0LL);
  last = std::min(high, steps - 1);
  return first <= last;
}

}  // namespace

void DrawLineWithoutEndPoint(QImage& image, QPoint from, QPoint to, QRgb colour) {
  const long long dx = static_cast<long long>(to.x()) - from.x();
  const long long dy = static_cast<long long>(to.y()) - from.y();
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const long long steps = std::max(std::llabs(dx), std::llabs(dy));
  const long long minor = std::min(std::llabs(dx), std::llabs(dy));
  if (steps == 0) {
    return;
  }
  const int sx = dx < 0 ? -1 : 1;
  const int sy = dy < 0 ? -1 : 1;
  long long first = 0;
  long long last = 0;
  const bool visible = xMajor ? VisibleSteps(from.x(), sx, image.width(), steps, first, last)
                              : VisibleSteps(from.y(), sy, image.height(), steps, first, last);
  if (!visible) {
    return;
  }
  for (long long n = first; n <= last; ++n) {
    const long long offset = MinorOffset(n, minor, steps);
    const long long x = from.x() + sx * (xMajor ? n : offset);
    const long long y = from.y() + sy * (xMajor ? offset : n);
    if (x >= 0 && x < image.width() && y >= 0 && y < image.height()) {
      image.setPixel(static_cast<int>(x), static_cast<int>(y), colour);
    }
  }
}

}  // namespace volmograph
