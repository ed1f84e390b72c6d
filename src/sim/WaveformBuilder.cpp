#include "sim/WaveformBuilder.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace volmograph {
namespace {

int TraceRow(const WaveformShape& shape, int column) {
  const double span = kWaveformLastColumn - kWaveformFirstColumn;
  const double angle =
      shape.phase + 2.0 * std::numbers::pi * shape.cycles * (column - kWaveformFirstColumn) / span;
  const int row =
      kWaveformAxisRow - static_cast<int>(std::lround(shape.amplitude * std::sin(angle)));
  return std::clamp(row, 0, kWaveformRows - 1);
}

}  // namespace

WaveformCapture BuildWaveformCapture(const WaveformShape& shape) {
  WaveformCapture capture{};
  capture[0] = 0x02;
  capture[1] = 'Z';
  for (int row = 0; row < kWaveformRows; ++row) {
    SetWaveformDot(capture, kWaveformFirstColumn, row);
  }
  for (int column = kWaveformFirstColumn; column <= kWaveformLastColumn; column += 2) {
    SetWaveformDot(capture, column, kWaveformAxisRow);
  }
  int previous = TraceRow(shape, kWaveformFirstColumn);
  for (int column = kWaveformFirstColumn; column <= kWaveformLastColumn; ++column) {
    const int row = TraceRow(shape, column);
    // Join steep slopes with a vertical run so the trace reads as one line.
    const int from = std::min(previous, row);
    const int to = std::max(previous, row);
    for (int r = from; r <= to; ++r) {
      SetWaveformDot(capture, column, r);
    }
    previous = row;
  }
  return capture;
}

}  // namespace volmograph
