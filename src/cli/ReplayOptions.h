#pragma once

#include <cstddef>
#include <string>

#include "platform/Clock.h"

namespace volmograph::cli {

struct ReplayOptions {
  std::string capturePath;
  std::string outPath;
  std::string csvPath;            // empty: no CSV
  std::size_t bytesPerTick = 48;  // what 9600 baud delivers in 50 ms
  int intervalCommand = 0;        // a sampling-time command, or 0
  int intervalTicks = 0;          // a tick count given as a number, or 0
  LocalTime start{};
};

// Parses the arguments after "replay". False with an empty `error` means --help was asked.
bool ParseReplayOptions(int argc, char** argv, ReplayOptions& options, std::string& error);

const char* ReplayUsage();

// Parses "HH:MM:SS" on the 24-hour clock.
bool ParseClockTime(const std::string& text, LocalTime& time);

}  // namespace volmograph::cli
