#pragma once

// The measuring functions of the simulated meter: what it sends for each function code
// 'A'..'T' (units, ranges of its 4000-count display, a typical reading and the kind of
// second display). The real meter's own choices are unknown beyond the frame layout, so
// these are plausible stand-ins that decode the way the program expects.

#include <span>

namespace volmograph {

// One range of the display: the prefix sent with it and the digits after the point.
// The full scale is 4000 counts, so 3 decimals mean 4.000, 2 mean 40.00, and so on.
struct MeterRange {
  char prefix;   // ' ' for none, else 'n', 'u', 'm', 'K' or 'M'
  int decimals;  // 0..3
};

enum class SecondDisplayKind {
  Blank,             // six blanks, unit four blanks
  Frequency,         // line frequency, " Hz " or "KHz "
  OtherTemperature,  // the main temperature in the other scale
  DiodeVoltage,      // the diode's forward voltage
  Pressure,          // hectopascals derived from the sensor voltage of the main display
  Fixed,             // a constant text (setup and self-test screens)
};

struct MeterFunction {
  char code;             // offset 1
  const char* name;      // short name for help texts
  const char* baseUnit;  // unit of typicalValue and of the options, for help texts
  char acMarker;         // offset 2: 'A' for an rms reading, ' ' otherwise
  const char* unit;      // offsets 10..12: unit, then coupling or the rest of the unit
  double typicalValue;   // in the base unit (V, A, ohm, F, S, Hz, degrees C, %, rpm)
  std::span<const MeterRange> ranges;  // smallest full scale first
  long maxCounts;                      // largest count shown without over-range
  SecondDisplayKind second;
  const char* secondText;  // 6 characters, for SecondDisplayKind::Fixed
  const char* secondUnit;  // 4 characters (the prefix at 0 is filled in for Frequency)
};

// All 20 functions, 'A' first.
std::span<const MeterFunction> MeterFunctions();

// The function with this code, or null.
const MeterFunction* FindMeterFunction(char code);

// Multiplier of a prefix as sent ('n', 'u', 'm', 'K', 'M'); 1 for anything else.
double MeterPrefixFactor(char prefix);

}  // namespace volmograph
