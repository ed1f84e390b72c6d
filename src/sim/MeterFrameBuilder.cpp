#include "sim/MeterFrameBuilder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace volmograph {
namespace {

constexpr std::array<double, 4> kPowersOfTen{1.0, 10.0, 100.0, 1000.0};

// Second displays are not over-range checked by the receiver; a frequency counter shows more.
constexpr long kSecondMaxCounts = 9999;
constexpr std::array<MeterRange, 5> kFrequencyRanges{
    {{' ', 2}, {' ', 1}, {'K', 3}, {'K', 2}, {'K', 1}}};
constexpr std::array<MeterRange, 2> kTemperatureRanges{{{' ', 1}, {' ', 0}}};
constexpr std::array<MeterRange, 1> kPressureRange{{{' ', 0}}};

struct Shown {
  std::string text;  // six characters
  char prefix = ' ';
};

int ClampDecimals(int decimals) {
  return std::clamp(decimals, 0, 3);
}

// The value in the smallest of `ranges` that holds it within `maxCounts`.
Shown ShowAuto(std::span<const MeterRange> ranges, long maxCounts, double value) {
  for (const MeterRange& r : ranges) {
    const long counts = RangeCounts(r, value);
    if (std::labs(counts) <= maxCounts) {
      return {FormatCountsText(counts, r.decimals), r.prefix};
    }
  }
  const MeterRange& last = ranges.back();
  return {OverRangeText(last.decimals), last.prefix};
}

void Put(MeterFrameBytes& frame, std::size_t offset, const std::string& text, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    frame[offset + i] = static_cast<std::uint8_t>(i < text.size() ? text[i] : ' ');
  }
}

// Fills offsets 14..24 for the function's second display.
void PutSecondDisplay(MeterFrameBytes& frame, const MeterFunction& f, const FrameRequest& request,
                      const std::string& mainText, bool over) {
  std::string text(6, ' ');
  std::string unit = f.secondUnit;
  switch (f.second) {
    case SecondDisplayKind::Blank:
      unit = "    ";
      break;
    case SecondDisplayKind::Frequency: {
      const Shown s = ShowAuto(kFrequencyRanges, kSecondMaxCounts, request.frequency);
      text = s.text;
      unit[0] = s.prefix;
      break;
    }
    case SecondDisplayKind::OtherTemperature:
      text = over ? mainText
                  : ShowAuto(kTemperatureRanges, kSecondMaxCounts, request.value * 9.0 / 5.0 + 32.0)
                        .text;
      break;
    case SecondDisplayKind::DiodeVoltage:
      text = mainText;
      break;
    case SecondDisplayKind::Pressure:
      // The sensor gives 1 mV per 10 hPa.
      text = over ? OverRangeText(0)
                  : ShowAuto(kPressureRange, kSecondMaxCounts, request.value * 1e4).text;
      break;
    case SecondDisplayKind::Fixed:
      text = f.secondText;
      break;
  }
  frame[14] = ' ';
  Put(frame, 15, text, 6);
  Put(frame, 21, unit, 4);
}

}  // namespace

std::string FormatCountsText(long counts, int decimals) {
  decimals = ClampDecimals(decimals);
  std::string digits = std::to_string(std::labs(counts));
  if (digits.size() < static_cast<std::size_t>(decimals) + 1) {
    digits.insert(0, decimals + 1 - digits.size(), '0');
  }
  if (decimals > 0) {
    digits.insert(digits.size() - decimals, 1, '.');
  }
  if (counts < 0) {
    digits.insert(0, 1, '-');
  }
  if (digits.size() > 6) {
    return OverRangeText(decimals, decimals > 0 ? 4 : 5);
  }
  return std::string(6 - digits.size(), ' ') + digits;
}

std::string OverRangeText(int decimals, int digits) {
  decimals = ClampDecimals(decimals);
  digits = std::clamp(digits, decimals + 1, decimals > 0 ? 4 : 5);
  std::string text(static_cast<std::size_t>(digits), '9');
  if (decimals > 0) {
    text.insert(text.size() - decimals, 1, '.');
  }
  return std::string(6 - text.size(), ' ') + text;
}

long RangeCounts(const MeterRange& range, double value) {
  const double shown = value / MeterPrefixFactor(range.prefix);
  const double counts = shown * kPowersOfTen[ClampDecimals(range.decimals)];
  // Far beyond any display: keep the conversion defined.
  if (!std::isfinite(counts) || std::fabs(counts) > 1e12) {
    return counts < 0 ? -1000000000000L : 1000000000000L;
  }
  return std::lround(counts);
}

int AutoRange(const MeterFunction& function, double value) {
  const int n = static_cast<int>(function.ranges.size());
  for (int i = 0; i < n; ++i) {
    if (std::labs(RangeCounts(function.ranges[i], value)) <= function.maxCounts) {
      return i;
    }
  }
  return n - 1;
}

MeterFrameBytes BuildMeterFrame(const FrameRequest& request) {
  const MeterFunction* known = FindMeterFunction(request.function);
  const MeterFunction& f = known ? *known : *FindMeterFunction('B');
  const int n = static_cast<int>(f.ranges.size());
  const int rangeIndex =
      request.range >= 0 && request.range < n ? request.range : AutoRange(f, request.value);
  const MeterRange& range = f.ranges[rangeIndex];
  const long counts = RangeCounts(range, request.value);
  const bool over = request.over || std::labs(counts) > f.maxCounts;
  const int digits = f.maxCounts > 9999 ? 5 : 4;
  const std::string mainText =
      over ? OverRangeText(range.decimals, digits) : FormatCountsText(counts, range.decimals);

  MeterFrameBytes frame{};
  frame.fill(' ');
  frame[0] = kMeterStx;
  frame[1] = static_cast<std::uint8_t>(request.function);
  frame[2] = static_cast<std::uint8_t>(f.acMarker);
  Put(frame, 3, mainText, 6);
  frame[9] = static_cast<std::uint8_t>(range.prefix);
  Put(frame, 10, f.unit, 3);
  PutSecondDisplay(frame, f, request, mainText, over);
  return frame;
}

}  // namespace volmograph
