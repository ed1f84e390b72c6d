#pragma once

// The waveform picture on paper (display mode 2): every dot a black square of 100 x 100
// twips, the picture turned a quarter turn anticlockwise. The meter's columns run up the
// page (column 1 at y = -13900..-13800, column 127 at -1300..-1200) and its rows across
// (row 0 at x = 3000..3100, row 50 at 8000..8100). No header, labels or footer.

#include <cstdint>

#include "graph/WaveformPicture.h"
#include "platform/Canvas.h"

namespace volmograph {

// Applies the marker patch to `waveform` (the change stays, as after the screen drawing)
// and draws the picture with the black brush.
void PrintPicture(Canvas& canvas, std::uint8_t (&waveform)[kWaveformSize]);

}  // namespace volmograph
