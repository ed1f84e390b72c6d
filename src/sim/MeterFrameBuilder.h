#pragma once

// Builds the 26-byte frames the simulated meter sends, one copy of its display each.
//
// Frame layout (offsets): 0 STX (0x02); 1 function code 'A'..'T'; 2 AC marker of the main
// display ('A' = rms); 3..8 main value text, six characters of blank, '-', '.', digits, with
// the sign directly before the first digit and the point placed by the range (" 1.500",
// " -12.34", "  3998"); 9 prefix ('n', 'u', 'm', 'K', 'M', or ' '); 10 unit; 11..12 coupling
// ("AC"/"DC") or the rest of the unit; 13 blank; 14 AC marker of the second display (blank);
// 15..20 second value text; 21..24 second unit (prefix at 21, unit at 22: " Hz ", "hPa ");
// 25 blank.
//
// The display has 4000 counts. A reading of more than 3998 counts in its range is sent as
// over range: the range's digits all nines (" 9.999", " 99.99", " 999.9", "  9999"), which
// passes the value-character check and is over range whatever the decimals.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "sim/MeterFunctions.h"

namespace volmograph {

inline constexpr std::size_t kMeterFrameLength = 26;
inline constexpr std::uint8_t kMeterStx = 0x02;
inline constexpr int kAutoRange = -1;

using MeterFrameBytes = std::array<std::uint8_t, kMeterFrameLength>;

struct FrameRequest {
  char function = 'B';
  double value = 0.0;       // in the function's base unit (V, A, ohm, F, S, Hz, degrees C, ...)
  int range = kAutoRange;   // index into the function's ranges, or kAutoRange
  bool over = false;        // send the over-range text whatever the value
  double frequency = 50.0;  // second display of the AC functions, in Hz
};

// The frame for a request. A range index outside the function's ranges counts as auto.
// An unknown function code is sent as given, with a DCV body, so that tests can feed
// the decoder a function it does not know.
MeterFrameBytes BuildMeterFrame(const FrameRequest& request);

// The six-character text of a count with the given decimals (0..3), e.g. (-1234, 2) gives
// "-12.34" and (5, 3) gives " 0.005". Counts that do not fit six characters give the
// over-range text.
std::string FormatCountsText(long counts, int decimals);

// The over-range text of a range: its digits all nines, e.g. " 9.999" for 3 decimals.
// `digits` is 4 on the 4000-count display and 5 on the tachometer.
std::string OverRangeText(int decimals, int digits = 4);

// Counts of a value (base unit) in a range: value / prefix factor * 10^decimals, rounded.
long RangeCounts(const MeterRange& range, double value);

// The smallest range that shows the value without over-range; the largest if none does.
int AutoRange(const MeterFunction& function, double value);

}  // namespace volmograph
