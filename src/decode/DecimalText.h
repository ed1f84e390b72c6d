#pragma once

// Decimal numbers as the meter and the sample lines write them: leading blanks, an optional
// sign, digits, an optional point and fraction. Nothing else is part of a number: no
// exponent, no "inf" or "nan", no hexadecimal, and the decimal point is always '.', whatever
// the locale. Scanning stops at the first character that does not fit.

#include <cstddef>
#include <string_view>

namespace volmograph {

struct DecimalText {
  bool negative = false;      // a '-' sign was read (also for "-0")
  std::string_view integer;   // digits before the point (may be empty)
  std::string_view fraction;  // digits after the point (may be empty)
  std::size_t length = 0;     // characters consumed, 0 when there are no digits at all

  bool HasDigits() const { return !integer.empty() || !fraction.empty(); }
};

// Scans the longest prefix of `text` that forms a number. Without digits the result is
// empty (no digits, length 0), which stands for the value 0.
DecimalText ScanDecimal(std::string_view text);

// Compares the exact values of two decimal texts (each read by ScanDecimal): -1, 0 or 1.
// Zero is zero whatever its sign. Used for the range and diode thresholds, which must not
// suffer from binary rounding ("399.9" is at least 399.9, "0.05" is not above 0.05).
int CompareDecimal(std::string_view a, std::string_view b);

}  // namespace volmograph
