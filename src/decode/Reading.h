#pragma once

// The decoded contents of one 26-byte meter frame.
//
// Frame layout (offsets): 0 STX; 1 function code 'A'..'T'; 2 AC marker ('A' or 'a');
// 3..8 main value text; 9 prefix; 10 unit; 11..12 coupling; 13 unused; 14 AC marker of
// the second display; 15..20 second value text; 21..24 second unit; 25 unused.
// Texts are single bytes of code page 1252 (0xB5 micro sign, 0xB0 degree sign).

namespace volmograph {

struct Reading {
  char function = 0;             // normalised function code 'A'..'T'
  char label[21] = {};           // 20-character function name
  char valueText[7] = {};        // main value as sent, or the diode state
  float value = 0.0f;            // numeric value of the received main value text
  double scaledValue = 0.0;      // value times the prefix factor
  char unitText[5] = {};         // prefix, unit, coupling (two characters)
  char rmsText[4] = {};          // "rms" or three blanks
  char value2Text[7] = {};       // second-display value
  float value2 = 0.0f;           // numeric value of value2Text
  char unit2Text[5] = {};        // second-display unit
  char rms2Text[4] = {};         // "rms" or three blanks
  int decimals = 0;              // characters after the point in valueText, 0..5
  bool over = false;             // main value over range
};

}  // namespace volmograph
