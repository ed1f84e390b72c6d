#pragma once

// The decode listing: one UTF-8 line per event of a raw meter stream, as volmograph-cli
// decode prints it. Columns are separated by two blanks; texts of the frame are shown in
// double quotes at their fixed widths, with control bytes as visible control pictures.
//
//   OFFSET  frame    F  "LABEL"  "VALUE"  NUMBER  SCALED  "UNIT"  "RMS"  "RMS2" "VALUE2"
//           "UNIT2"  D  OVER  DERIVED  |RAW|
//   OFFSET  reject   F  "VALUE"  byte 0xNN at offset K is not a value character  |RAW|
//   OFFSET  unknown  F  "VALUE"  unknown function code 0xNN  |RAW|
//   OFFSET  bulk     bulk transfer of N bytes
//   OFFSET  noise    N bytes before STX dropped
//   OFFSET  partial  frame cut short after N bytes at end of input  |RAW|
//   OFFSET  partial  bulk transfer cut short after N bytes at end of input
//
// OFFSET is the stream position of the event's first byte (decimal, 10 wide). F is the
// function code after normalisation ('B' with prefix 'm' shows as 'C'); the raw frame keeps
// the code as received. NUMBER is the value of the received main value text (shortest form
// that reads back as the same float), SCALED the value times its prefix factor (7
// significant digits). D is the number of decimals, OVER "OVER" or "-". DERIVED is
// "dB " with two decimals for voltages and 20 A currents, "nS " with one decimal for
// resistance, both against 600 ohm, or "-".

#include <string>

#include "decode/FrameSplitter.h"

namespace volmograph {

// The column titles, as a line starting with '#'.
std::string DecodeListingHeader();

// The listing line of one event (no line end).
std::string DescribeSplitEvent(const SplitEvent& event);

}  // namespace volmograph
