#include "cli/RecordOptions.h"

#include <string_view>

#include "cli/CommandLine.h"

namespace volmograph::cli {

namespace {

constexpr long kMaxSeconds = 366L * 24 * 3600;

// "COM1".."COM4" in any case: the index, else -1. Other COM numbers are errors.
bool ParsePort(std::string_view text, RecordOptions& options, std::string& error) {
  const bool com = text.size() > 3 && (text[0] | 0x20) == 'c' && (text[1] | 0x20) == 'o' &&
                   (text[2] | 0x20) == 'm';
  int number = 0;
  if (com && ParseWhole(text.substr(3), number)) {
    if (number < 1 || number > 4) {
      error =
          "--port takes COM1..COM4, a device path or HOST:PORT, not '" + std::string(text) + "'";
      return false;
    }
    options.portIndex = number - 1;
    return true;
  }
  if (text.empty()) {
    error = "--port needs a port";
    return false;
  }
  options.portTarget = std::string(text);
  return true;
}

bool ParseValue(std::string_view name, const std::string& value, RecordOptions& options,
                std::string& error) {
  if (name == "--port") {
    return ParsePort(value, options, error);
  }
  if (name == "--interval") {
    options.intervalCommand = SamplingCommand(value);
    if (options.intervalCommand == 0) {
      error = "--interval takes 250ms, 500ms, 1s, 2s, 5s or 10s, not '" + value + "'";
    }
  } else if (name == "--seconds") {
    if (!ParseWhole(std::string_view(value), options.seconds) || options.seconds < 1 ||
        options.seconds > kMaxSeconds) {
      error = "--seconds takes a whole number from 1 to " + std::to_string(kMaxSeconds) +
              ", not '" + value + "'";
    }
  } else if (name == "--out") {
    options.outPath = value;
  } else {
    options.csvPath = value;
  }
  return error.empty();
}

}  // namespace

bool ParseRecordOptions(int argc, char** argv, RecordOptions& options, std::string& error) {
  error.clear();
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (IsHelp(arg)) {
      return false;
    }
    if (arg != "--port" && arg != "--interval" && arg != "--seconds" && arg != "--out" &&
        arg != "--csv") {
      error = arg.starts_with("-") ? "unknown option '" + std::string(arg) + "'"
                                   : "unexpected argument '" + std::string(arg) + "'";
      return false;
    }
    if (i + 1 >= argc) {
      error = std::string(arg) + " needs a value";
      return false;
    }
    if (!ParseValue(arg, argv[++i], options, error)) {
      return false;
    }
  }
  if (options.portIndex < 0 && options.portTarget.empty()) {
    error = "no port given (--port COM1..COM4, a device path or HOST:PORT)";
  } else if (options.outPath.empty()) {
    error = "no output file given (--out FILE.mtr)";
  } else if (!options.csvPath.empty() && SameFile(options.csvPath, options.outPath)) {
    error = "--csv and --out name the same file";
  }
  return error.empty();
}

const char* RecordUsage() {
  return "usage: volmograph-cli record --port COM1..COM4|DEVICE|HOST:PORT --out FILE.mtr\n"
         "                             [--interval 250ms|500ms|1s|2s|5s|10s] [--seconds S]\n"
         "                             [--csv FILE.csv]\n"
         "\n"
         "Records readings from the meter through the view, as Start in the desktop program\n"
         "does, and prints every line the view lists (UTF-8) as it is listed.\n"
         "\n"
         "--port      COMn goes through the port table of your settings file; a device path\n"
         "            (/dev/ttyUSB0) or HOST:PORT (a serial server over TCP) is used directly\n"
         "--interval  the sampling interval (default: the one in your settings file); counted\n"
         "            in 50 ms ticks as in the program, it gives a reading every 0.2, 0.4,\n"
         "            0.8, 1.9, 4.3 or 8.6 s\n"
         "--seconds   end the run after S seconds (default: run until stopped)\n"
         "--csv       write every listed line to FILE.csv at once, dated in ISO 8601, flushed\n"
         "            to disk line by line; it keeps every line of the run\n"
         "\n"
         "Ctrl-C, SIGTERM, --seconds, a waveform capture from the meter, a meter that vanishes\n"
         "or one that sends nothing for 5 s end the run as Stop does, and FILE.mtr is saved\n"
         "through the view's Save: the sample list (at most its last 499 lines, and only those\n"
         "since the last change of function or range, as in the program), or the waveform as a\n"
         "graph file when a capture ended the run.\n"
         "Your settings file is read ($VOLMOGRAPH_INI, else $XDG_CONFIG_HOME/volmograph.ini,\n"
         "else ~/.config/volmograph.ini) but never written.\n"
         "\n"
         "Exit status: 0 when the run ended as asked (Ctrl-C, SIGTERM, --seconds, a waveform);\n"
         "1 when the meter fell silent or vanished, or a file could not be written; 2 for wrong\n"
         "arguments or a port that cannot be opened.\n";
}

}  // namespace volmograph::cli
