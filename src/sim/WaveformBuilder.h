#pragma once

// Builds the bulk transfer the simulated meter sends with a recorded waveform.
//
// Capture layout: 1024 bytes. Byte 0 is STX (0x02) and byte 1 is 'Z', which tells the
// frame reader that a bulk transfer follows. Bytes 2..897 are a dot picture in pages of
// 128 column bytes: byte 2 + i is column (i mod 128) of page (i div 128), and its bit k
// (bit 0 at the top) is dot row 8 * page + k. Pages 0..5 use all eight bits, page 6 only
// bits 0..2, so the picture has rows 0..50; column 0 is never shown, leaving columns
// 1..127. Bytes 898..1023 are zero.
//
// Picture bytes may take any value, 0x02 and 'Z' included; the reader does not look for
// frames inside a bulk transfer once it has seen the 'Z'.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "graph/WaveformPicture.h"

namespace volmograph {

inline constexpr std::size_t kWaveformCaptureLength = kWaveformSize;
inline constexpr int kWaveformAxisRow = 25;

using WaveformCapture = std::array<std::uint8_t, kWaveformCaptureLength>;

struct WaveformShape {
  double cycles = 2.0;      // sine periods across the picture
  double amplitude = 20.0;  // in dot rows, around the axis row
  double phase = 0.0;       // radians at column 1
};

// A capture with a sine trace (joined up column to column), the horizontal axis dotted on
// every other column and the vertical axis in column 1.
WaveformCapture BuildWaveformCapture(const WaveformShape& shape = {});

}  // namespace volmograph
