#include "print/PicturePrintout.h"

namespace volmograph {

void PrintPicture(Canvas& canvas, std::uint8_t (&waveform)[kWaveformSize]) {
  canvas.SelectBrush(kBlack);
  ApplyMarkerPatch(waveform);
  for (int row = 0; row < kWaveformRows; ++row) {
    for (int column = kWaveformFirstColumn; column <= kWaveformLastColumn; ++column) {
      if (WaveformDotAt(waveform, column, row)) {
        canvas.Rectangle(3000 + 100 * row, 100 * (column - 140), 3100 + 100 * row,
                         100 * (column - 139));
      }
    }
  }
}

}  // namespace volmograph
