#pragma once

// The waveform capture as a dot picture.
//
// From index 2 on, the 1024 capture bytes hold pages of 128 column bytes: byte 2 + i is
// column i mod 128 of page i div 128, and its bit k (bit 0 at the top) is dot row
// 8 * page + k. Pages 0..5 use all eight bits, page 6 bits 0..2 only; column 0 is never
// drawn. The picture is 127 columns by 51 rows, three pixels per dot.

#include <cstddef>
#include <cstdint>

#include "platform/Canvas.h"

namespace volmograph {

inline constexpr std::size_t kWaveformSize = 1024;

// Puts the meter's marker dots into column 64 (and one in column 65); clears column 64 of
// page 0 first. Repeating it gives the same bytes.
void ApplyMarkerPatch(std::uint8_t (&waveform)[kWaveformSize]);

// Whether the dot at picture column 1..127, row 0..50 is set.
bool WaveformDot(const std::uint8_t (&waveform)[kWaveformSize], int column, int row);

// Draws every set dot as a 3 x 3 rectangle with the canvas's current brush and pen.
void DrawWaveformDots(Canvas& canvas, const std::uint8_t (&waveform)[kWaveformSize]);

}  // namespace volmograph
