#pragma once

// The options of volmograph-sim, parsed apart from the program so that they can be tested.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/MeterSimulator.h"

namespace volmograph {

struct SimCommandLine {
  SimOptions options;
  std::optional<std::string> replayPath;  // play this captured stream instead
  bool loop = false;                      // start the replay over when it ends
  std::optional<double> seconds;          // stop after this much time
  std::string linkPath;                   // symbolic link to the slave
  std::optional<std::string> rawOut;      // write line time to this file ("-" = stdout) at once
  bool help = false;
};

// Parses the arguments after the program name. On failure returns false with a one-line
// reason in `error`.
bool ParseSimCommandLine(const std::vector<std::string>& args, SimCommandLine& out,
                         std::string& error);

// Parses a switch schedule: items separated by commas, each SECONDS:ACTION[/ACTION...].
// Actions: a function letter A..T; rN or r=auto (range); over; ok (no longer over);
// v=NUMBER (value centre). Example: "5:E,10:B/r2,12:over,14:ok,20:v=3.3".
bool ParseSwitchSchedule(std::string_view text, std::vector<SimSwitch>& out, std::string& error);

// The --help text.
std::string SimUsage();

}  // namespace volmograph
