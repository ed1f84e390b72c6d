#pragma once

#include <string>

namespace volmograph::cli {

// How long the meter may stay silent before a recording ends.
inline constexpr int kSilenceSeconds = 5;

struct RecordOptions {
  int portIndex = -1;       // COM1..COM4 as 0..3, or -1 when `portTarget` names the port
  std::string portTarget;   // a device path or HOST:PORT
  int intervalCommand = 0;  // a sampling-time command, or 0 for the profile's interval
  long seconds = 0;         // 0: until stopped
  std::string outPath;
  std::string csvPath;  // empty: no CSV
};

// Parses the arguments after "record". False with an empty `error` means --help was asked.
bool ParseRecordOptions(int argc, char** argv, RecordOptions& options, std::string& error);

const char* RecordUsage();

}  // namespace volmograph::cli
