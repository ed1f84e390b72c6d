#pragma once

// The waveform capture as a dot picture.
//
// From index 2 on, the 1024 capture bytes hold pages of 128 column bytes: byte 2 + i is
// column i mod 128 of page i div 128, and its bit k (bit 0 at the top) is dot row
// 8 * page + k. Pages 0..5 use all eight bits, page 6 bits 0..2 only; column 0 is never
// drawn. The picture is 127 columns by 51 rows, three pixels per dot.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/Canvas.h"

namespace volmograph {

inline constexpr std::size_t kWaveformSize = 1024;
inline constexpr int kWaveformFirstColumn = 1;
inline constexpr int kWaveformLastColumn = 127;
inline constexpr int kWaveformRows = 51;

// The byte index and bit of a dot; false for column 0 and dots outside the picture.
bool WaveformDotPosition(int column, int row, std::size_t& index, int& bit);

// Sets one dot; returns false (and changes nothing) for a dot that is never shown.
bool SetWaveformDot(std::span<std::uint8_t> capture, int column, int row);

// Whether a dot is set; false for dots that are never shown.
bool WaveformDotAt(std::span<const std::uint8_t> capture, int column, int row);

// Puts the meter's marker dots into column 64 (and one in column 65); clears column 64 of
// page 0 first. Repeating it gives the same bytes.
void ApplyMarkerPatch(std::uint8_t (&waveform)[kWaveformSize]);

// Draws every set dot as a 3 x 3 rectangle with the canvas's current brush and pen.
void DrawWaveformDots(Canvas& canvas, const std::uint8_t (&waveform)[kWaveformSize]);

}  // namespace volmograph
