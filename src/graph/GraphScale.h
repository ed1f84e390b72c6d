#pragma once

// The vertical scale of the line and bar graphs, and the arithmetic that places a sample.
//
// The scale never follows the data (diode series excepted): it is chosen from the function
// name (positions 41..60) and the decimal point of the raw value (61..66) of one sample line.
// Positions are counted from 0; a line shorter than 67 characters reads as blanks where it
// ends. The plot band is rows 6..135 (135 - h for h = 0..129) and columns 45..444, 0.8 pixel
// per sample.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "decode/SampleLine.h"

namespace volmograph {

inline constexpr int kGraphSamples = 500;
inline constexpr int kGraphAxisRow = 135;
inline constexpr int kGraphMaxHeight = 129;
inline constexpr std::size_t kAxisTitleSize = 10;  // nine characters and a NUL

struct GraphScale {
  float top = 0.0f;              // the value at the top of the plot band
  float bottom = 0.0f;           // the value at the bottom of the band
  int baseline = kGraphAxisRow;  // row of the value 0: 135 unipolar, 71 bipolar
  std::string_view topLabel{};   // drawn at (topLabelX, 2)
  int topLabelX = 0;
  std::optional<std::string_view> bottomLabel{};  // drawn at (bottomLabelX, 125)
  int bottomLabelX = 0;
  int zeroLabelRow = 125;                             // "0" is drawn at (35, zeroLabelRow)
  std::optional<std::string_view> unitReplacement{};  // four characters, for the axis title
  bool diode = false;  // values come from the second display and may widen the scale
};

// The scale for the function and range written in a sample line.
GraphScale SelectGraphScale(std::string_view line);

// The character at `position`, or a blank past the end of the line.
char LineChar(std::string_view line, std::size_t position);

// The six-character decimal field at `position` as a float; a field without a number is 0.
float ReadValueField(std::string_view line, std::size_t position);

// The axis title: positions 41..43, "[", the unit field (or the scale's replacement), "]".
std::array<char, kAxisTitleSize> AxisTitle(std::string_view line, const GraphScale& scale);

// Pixels per unit of value, inverted: (top - bottom) / 129, as the picture has always
// computed it.
double ScaleStep(float top, float bottom);

// Height of a value above the bottom of a band `maxHeight` units high: (value - bottom) / step
// truncated toward zero, within 0..maxHeight. The screen and the printed graph share it.
int BandHeight(float value, float bottom, double step, int maxHeight);

// Height of a value above the bottom of the screen's band, within 0..129.
int PlotHeight(float value, float bottom, double step);

// Row of a value: 135 for the bottom of the band, 6 for its top.
int PlotRow(float value, float bottom, double step);

// Column of sample i: 45 + floor(4 i / 5).
int SampleColumn(int sample);

}  // namespace volmograph
