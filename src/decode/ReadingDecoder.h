#pragma once

#include <optional>
#include <string_view>

#include "decode/Reading.h"

namespace volmograph {

enum class FrameVerdict {
  Accepted,
  RejectedValue,  // a character of the main value text is not blank, '+', '-', '.' or a digit
};

enum class InterpretResult {
  Done,
  UnknownFunction,  // the function code is not one of 'A'..'T'
};

inline constexpr char kMicroSign = static_cast<char>(0xB5);
inline constexpr char kDegreeSign = static_cast<char>(0xB0);

// Cuts the texts of a reading from the 26 characters of a frame (fewer are read as blanks,
// more are ignored). On rejection the reading keeps the rms marker and the rejected value
// text. A NUL in the value text rejects the frame; a NUL anywhere else is cut as a blank,
// so every text keeps its width.
FrameVerdict AcceptFrame(std::string_view frame, Reading& reading);

// Frame offset (3..8) of the first character of the main value text that is not a blank,
// '+', '-', '.' or a digit (a NUL included); -1 when the value text is valid.
int InvalidValueOffset(std::string_view frame);

// Completes an accepted reading for the function code at frame offset 1.
// Normalises the function ('B' with prefix 'm' becomes 'C'; reading.function holds the
// result, and a caller that keeps the frame text updates its offset 1 from it), the prefix,
// the units, the coupling and the second display; counts the decimals and tests for
// over-range. An unknown code stops after the value, the scaling and the prefix, with the
// code in reading.function and the label untouched.
InterpretResult InterpretReading(char functionCode, Reading& reading);

// The dBm value (voltages 'A'..'D', currents 'K', 'L') or the conductance in nS
// (resistance 'E') of a scaled value against a reference impedance in kilo-ohms. None for
// other functions, and no dBm against an impedance that is not positive.
std::optional<double> DerivedValue(char function, double x, float refKOhm);

// Factor of a prefix character as received ('K', 'M', 'm', 'n', 'u') or as shown
// ('k', micro sign); 1 for any other character.
double PrefixFactor(char prefix);

// Ordinary decimal conversion, independent of the locale: leading blanks skipped, optional
// sign, digits, optional point and fraction; stops at the first other character; 0 when
// no digits.
double ParseDecimal(std::string_view text);

// The over-range rule on a value text with the given decimals, compared on the text's
// exact value (never 'M', never negative).
bool IsOverRange(char function, std::string_view valueText, int decimals);

// Number of characters after the point in a 6-character value text, 0 when no point.
int CountDecimals(std::string_view valueText);

}  // namespace volmograph
