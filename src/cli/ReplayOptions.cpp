#include "cli/ReplayOptions.h"

#include <string_view>

#include "cli/CommandLine.h"

namespace volmograph::cli {

namespace {

constexpr std::size_t kMaxBytesPerTick = 1 << 20;
constexpr int kMaxTicks = 1000000;

bool ParseInterval(std::string_view text, ReplayOptions& options) {
  if (const int command = SamplingCommand(text); command != 0) {
    options.intervalCommand = command;
    return true;
  }
  int ticks = 0;
  if (ParseWhole(text, ticks) && ticks >= 1 && ticks <= kMaxTicks) {
    options.intervalTicks = ticks;
    return true;
  }
  return false;
}

}  // namespace

bool ParseClockTime(const std::string& text, LocalTime& time) {
  if (text.size() != 8 || text[2] != ':' || text[5] != ':') {
    return false;
  }
  const std::string_view view(text);
  int fields[3];
  for (int i = 0; i < 3; ++i) {
    if (!ParseWhole(view.substr(static_cast<std::size_t>(i) * 3, 2), fields[i])) {
      return false;
    }
  }
  if (fields[0] > 23 || fields[1] > 59 || fields[2] > 59) {
    return false;
  }
  time = LocalTime{fields[0], fields[1], fields[2]};
  return true;
}

bool ParseReplayOptions(int argc, char** argv, ReplayOptions& options, std::string& error) {
  error.clear();
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (IsHelp(arg)) {
      return false;
    }
    const bool takesValue = arg == "--out" || arg == "--csv" || arg == "--bytes-per-tick" ||
                            arg == "--interval" || arg == "--start";
    if (takesValue) {
      if (i + 1 >= argc) {
        error = std::string(arg) + " needs a value";
        return false;
      }
      const std::string value = argv[++i];
      if (arg == "--out") {
        options.outPath = value;
      } else if (arg == "--csv") {
        options.csvPath = value;
      } else if (arg == "--bytes-per-tick") {
        if (!ParseWhole(std::string_view(value), options.bytesPerTick) ||
            options.bytesPerTick < 1 || options.bytesPerTick > kMaxBytesPerTick) {
          error = "--bytes-per-tick takes a whole number from 1 to 1048576, not '" + value + "'";
          return false;
        }
      } else if (arg == "--interval") {
        if (!ParseInterval(value, options)) {
          error =
              "--interval takes 250ms, 500ms, 1s, 2s, 5s, 10s or a tick count, not '" + value + "'";
          return false;
        }
      } else if (!ParseClockTime(value, options.start)) {
        error = "--start takes a time HH:MM:SS, not '" + value + "'";
        return false;
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option '" + std::string(arg) + "'";
      return false;
    } else if (options.capturePath.empty()) {
      options.capturePath = std::string(arg);
    } else {
      error = "more than one capture given ('" + std::string(arg) + "')";
      return false;
    }
  }
  if (options.capturePath.empty()) {
    error = "no capture given (usage: volmograph-cli replay CAPTURE --out FILE.mtr)";
  } else if (options.outPath.empty()) {
    error = "no output file given (--out FILE.mtr)";
  } else if (!options.csvPath.empty() && SameFile(options.csvPath, options.outPath)) {
    error = "--csv and --out name the same file";
  } else if (SameFile(options.outPath, options.capturePath) ||
             (!options.csvPath.empty() && SameFile(options.csvPath, options.capturePath))) {
    error = "an output file names the capture itself, which it would replace";
  }
  return error.empty();
}

const char* ReplayUsage() {
  return "usage: volmograph-cli replay CAPTURE --out FILE.mtr [--csv FILE.csv]\n"
         "                            [--bytes-per-tick N]\n"
         "                            [--interval 250ms|500ms|1s|2s|5s|10s|TICKS]\n"
         "                            [--start HH:MM:SS]\n"
         "\n"
         "Plays the captured meter bytes in CAPTURE through the view as the desktop program\n"
         "sees them from the port: before each 50 ms timer tick the next N bytes (default 48,\n"
         "what 9600 baud delivers in 50 ms) are waiting. The clock of the k-th tick after Start\n"
         "reads START + k x 50 ms (default 00:00:00). Every line added to the sample list is\n"
         "printed. At the end the run is stopped and FILE.mtr is written: a graph file when a\n"
         "waveform capture ended the run, otherwise the text data file of the sample list.\n"
         "\n"
         "--interval sets the sampling interval (default 1s); TICKS is a count of 50 ms ticks.\n"
         "--csv writes every listed line to FILE.csv as it is listed, as export does.\n";
}

}  // namespace volmograph::cli
