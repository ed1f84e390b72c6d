#include "graph/WaveformPicture.h"

namespace volmograph {

namespace {

constexpr int kColumns = 128;
constexpr int kFullPages = 6;
constexpr int kLastPageRows = 3;

void SetBit(std::uint8_t (&waveform)[kWaveformSize], int index, std::uint8_t bit) {
  waveform[index] = static_cast<std::uint8_t>(waveform[index] | bit);
}

}  // namespace

void ApplyMarkerPatch(std::uint8_t (&waveform)[kWaveformSize]) {
  std::uint8_t sum = 0;
  for (int i = 276; i <= 285; ++i) {
    sum = static_cast<std::uint8_t>(sum + waveform[i]);
  }
  waveform[66] = 0;
  if (sum == 0) {
    return;
  }
  SetBit(waveform, 194, 0x01);
  SetBit(waveform, 195, 0x01);
  SetBit(waveform, 322, 0x02);
  SetBit(waveform, 450, 0x08);
  SetBit(waveform, 578, 0x20);
  SetBit(waveform, 706, 0x80);
}

bool WaveformDotPosition(int column, int row, std::size_t& index, int& bit) {
  if (column < kWaveformFirstColumn || column > kWaveformLastColumn || row < 0 ||
      row >= kWaveformRows) {
    return false;
  }
  index = 2 + static_cast<std::size_t>((row / 8) * kColumns + column);
  bit = row % 8;
  return true;
}

bool SetWaveformDot(std::span<std::uint8_t> capture, int column, int row) {
  std::size_t index = 0;
  int bit = 0;
  if (!WaveformDotPosition(column, row, index, bit) || index >= capture.size()) {
    return false;
  }
  capture[index] = static_cast<std::uint8_t>(capture[index] | (1u << bit));
  return true;
}

bool WaveformDotAt(std::span<const std::uint8_t> capture, int column, int row) {
  std::size_t index = 0;
  int bit = 0;
  if (!WaveformDotPosition(column, row, index, bit) || index >= capture.size()) {
    return false;
  }
  return (capture[index] >> bit) & 1u;
}

void DrawWaveformDots(Canvas& canvas, const std::uint8_t (&waveform)[kWaveformSize]) {
  for (int page = 0; page <= kFullPages; ++page) {
    const int rowsOnPage = page < kFullPages ? 8 : kLastPageRows;
    for (int column = 1; column < kColumns; ++column) {
      const std::uint8_t bits = waveform[2 + page * kColumns + column];
      for (int k = 0; k < rowsOnPage; ++k) {
        if ((bits >> k) & 1) {
          const int row = 8 * page + k;
          canvas.Rectangle(36 + 3 * column, 7 + 3 * row, 39 + 3 * column, 10 + 3 * row);
        }
      }
    }
  }
}

}  // namespace volmograph
