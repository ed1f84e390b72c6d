#pragma once

// The sample line: 67 characters of code page 1252 and a NUL, in fixed columns that the
// graphs, the data files and the printed report read back by position.
//
//   0       blank            21..24  unit text        41..60  function label
//   1..8    time HH:MM:SS    25      blank            61..66  value text as received
//   9..10   two blanks       26..28  rms marker 2
//   11..13  rms marker       29      blank
//   14      blank            30..35  second value
//   15..20  value or " OVER " 36..39 second unit; 40 blank
//
// Every 'u' of the line becomes the micro sign 0xB5.

#include <cstddef>

#include "decode/Reading.h"
#include "platform/Clock.h"

namespace volmograph {

inline constexpr std::size_t kSampleLineLength = 67;

// Where a field of the line stands: its first position and its width.
struct SampleField {
  std::size_t first;
  std::size_t width;
};

inline constexpr SampleField kTimeField{1, 8};
inline constexpr SampleField kRmsField{11, 3};
inline constexpr SampleField kValueField{15, 6};
inline constexpr SampleField kUnitField{21, 4};
inline constexpr SampleField kRms2Field{26, 3};
inline constexpr SampleField kValue2Field{30, 6};
inline constexpr SampleField kUnit2Field{36, 4};
inline constexpr SampleField kLabelField{41, 20};
inline constexpr SampleField kRawValueField{61, 6};

// Writes the line for a reading taken at `time` into `line` (67 characters and a NUL).
void BuildSampleLine(const LocalTime& time, const Reading& reading,
                     char (&line)[kSampleLineLength + 1]);

}  // namespace volmograph
