#include "sim/MeterFunctions.h"

#include <array>

namespace volmograph {
namespace {

// Counts above this are over range by the decoder's rule (3999 itself is over).
constexpr long kMaxCounts = 3998;

constexpr std::array<MeterRange, 4> kVolts{{{' ', 3}, {' ', 2}, {' ', 1}, {' ', 0}}};
constexpr std::array<MeterRange, 2> kMillivolts{{{'m', 2}, {'m', 1}}};
constexpr std::array<MeterRange, 6> kOhms{
    {{' ', 1}, {'K', 3}, {'K', 2}, {'K', 1}, {'M', 3}, {'M', 2}}};
constexpr std::array<MeterRange, 1> kNanosiemens{{{'n', 2}}};
constexpr std::array<MeterRange, 1> kDiode{{{' ', 3}}};
constexpr std::array<MeterRange, 6> kFarads{
    {{'n', 3}, {'n', 2}, {'n', 1}, {'u', 3}, {'u', 2}, {'u', 1}}};
constexpr std::array<MeterRange, 4> kMilliamps{{{'u', 1}, {'u', 0}, {'m', 2}, {'m', 1}}};
constexpr std::array<MeterRange, 2> kAmps{{{' ', 3}, {' ', 2}}};
constexpr std::array<MeterRange, 1> kRpm{{{' ', 0}}};
constexpr std::array<MeterRange, 3> kHertz{{{' ', 1}, {'K', 3}, {'K', 2}}};
constexpr std::array<MeterRange, 2> kCelsius{{{' ', 1}, {' ', 0}}};
constexpr std::array<MeterRange, 1> kPercent{{{' ', 1}}};
constexpr std::array<MeterRange, 2> kClampAmps{{{' ', 2}, {' ', 1}}};
constexpr std::array<MeterRange, 1> kPlain{{{' ', 0}}};
constexpr std::array<MeterRange, 1> kSelfTest{{{' ', 3}}};

using K = SecondDisplayKind;

const std::array<MeterFunction, 20> kFunctions{{
    {'A', "ACV", "V", 'A', "VAC", 230.0, kVolts, kMaxCounts, K::Frequency, "", " Hz "},
    {'B', "DCV", "V", ' ', "VDC", 1.5, kVolts, kMaxCounts, K::Blank, "", ""},
    {'C', "mV AC", "V", 'A', "VAC", 0.1234, kMillivolts, kMaxCounts, K::Frequency, "", " Hz "},
    {'D', "mV DC", "V", ' ', "VDC", 0.0456, kMillivolts, kMaxCounts, K::Blank, "", ""},
    {'E', "ohm", "ohm", ' ', "Ohm", 4700.0, kOhms, kMaxCounts, K::Blank, "", ""},
    {'F', "nS", "S", ' ', "S  ", 12.5e-9, kNanosiemens, kMaxCounts, K::Blank, "", ""},
    {'G', "diode", "V", ' ', "V  ", 0.612, kDiode, kMaxCounts, K::DiodeVoltage, "", " V  "},
    {'H', "capacitance", "F", ' ', "F  ", 100e-9, kFarads, kMaxCounts, K::Blank, "", ""},
    {'I', "mA/uA AC", "A", 'A', "AAC", 0.0123, kMilliamps, kMaxCounts, K::Frequency, "", " Hz "},
    {'J', "mA/uA DC", "A", ' ', "ADC", 0.0042, kMilliamps, kMaxCounts, K::Blank, "", ""},
    {'K', "20A AC", "A", 'A', "AAC", 2.5, kAmps, kMaxCounts, K::Frequency, "", " Hz "},
    {'L', "20A DC", "A", ' ', "ADC", 1.25, kAmps, kMaxCounts, K::Blank, "", ""},
    // The tachometer shows up to five digits and is never over range.
    {'M', "rpm", "rpm", ' ', "RPM", 1500.0, kRpm, 99999, K::Blank, "", ""},
    {'N', "signal out", "Hz", ' ', "Hz ", 1000.0, kHertz, kMaxCounts, K::Blank, "", ""},
    {'O', "temperature", "degC", ' ', "C  ", 23.5, kCelsius, kMaxCounts, K::OtherTemperature, "",
     " F  "},
    {'P', "humidity", "%", ' ', "%RH", 45.0, kPercent, kMaxCounts, K::Blank, "", ""},
    {'Q', "pressure", "V", ' ', "V  ", 0.1013, kMillivolts, kMaxCounts, K::Pressure, "", "hPa "},
    {'R', "clamp A", "A", ' ', "A  ", 12.0, kClampAmps, kMaxCounts, K::Blank, "", ""},
    {'S', "setup", "min", ' ', "min", 15.0, kPlain, kMaxCounts, K::Fixed, "  9600", " Bd "},
    {'T', "self test", "V", ' ', "   ", 3.888, kSelfTest, kMaxCounts, K::Fixed, "  8888", "    "},
}};

}  // namespace

std::span<const MeterFunction> MeterFunctions() {
  return kFunctions;
}

const MeterFunction* FindMeterFunction(char code) {
  for (const MeterFunction& f : kFunctions) {
    if (f.code == code) {
      return &f;
    }
  }
  return nullptr;
}

double MeterPrefixFactor(char prefix) {
  switch (prefix) {
    case 'n':
      return 1e-9;
    case 'u':
      return 1e-6;
    case 'm':
      return 1e-3;
    case 'K':
      return 1e3;
    case 'M':
      return 1e6;
    default:
      return 1.0;
  }
}

}  // namespace volmograph
