#include "sim/SimCommandLine.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "sim/MeterFrameBuilder.h"

namespace volmograph {
namespace {

bool ParseNumber(std::string_view text, double& out) {
  const std::string s(text);
  if (s.empty() || s.front() == ' ') {
    return false;
  }
  char* end = nullptr;
  errno = 0;
  out = std::strtod(s.c_str(), &end);
  return errno == 0 && end == s.c_str() + s.size() && std::isfinite(out);
}

bool ParseSeed(std::string_view text, std::uint64_t& out) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
    return false;
  }
  const std::string s(text);
  errno = 0;
  out = std::strtoull(s.c_str(), nullptr, 10);
  return errno == 0;
}

bool ParseRange(std::string_view text, int& out) {
  if (text == "auto") {
    out = kAutoRange;
    return true;
  }
  if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != text.npos) {
    return false;
  }
  out = std::atoi(std::string(text).c_str());
  return true;
}

bool ParseFunction(std::string_view text, char& out) {
  if (text.size() != 1 || text[0] < 'A' || text[0] > 'T') {
    return false;
  }
  out = text[0];
  return true;
}

bool ParseAction(std::string_view action, SimSwitch& change) {
  char function = 0;
  int range = 0;
  double value = 0;
  if (ParseFunction(action, function)) {
    change.function = function;
  } else if (action == "over" || action == "ok") {
    change.over = action == "over";
  } else if (action.size() > 1 && action[0] == 'r' &&
             ParseRange(action.substr(action[1] == '=' ? 2 : 1), range)) {
    change.range = range;
  } else if (action.starts_with("v=") && ParseNumber(action.substr(2), value)) {
    change.value = value;
  } else {
    return false;
  }
  return true;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == text.npos ? text.npos : end - start));
    if (end == text.npos) {
      return parts;
    }
    start = end + 1;
  }
}

struct Parser {
  const std::vector<std::string>& args;
  SimCommandLine& out;
  std::string& error;
  std::size_t i = 0;
  bool simulatorOptions = false;

  bool Fail(const std::string& message) {
    error = message;
    return false;
  }

  // The value of an option, from "--opt=value" or the next argument.
  bool Value(const std::string& name, std::optional<std::string>& inlineValue, std::string& v) {
    if (inlineValue) {
      v = *inlineValue;
      return true;
    }
    if (i + 1 >= args.size()) {
      return Fail("option " + name + " needs a value");
    }
    v = args[++i];
    return true;
  }

  bool Number(const std::string& name, std::optional<std::string>& inlineValue, double& v) {
    std::string text;
    if (!Value(name, inlineValue, text)) {
      return false;
    }
    return ParseNumber(text, v) || Fail("option " + name + " needs a number, not '" + text + "'");
  }

  bool One(const std::string& arg);
  std::optional<bool> MeterOption(const std::string& name, std::optional<std::string>& inlineValue);
  bool Check();
};

bool Parser::One(const std::string& arg) {
  std::string name = arg;
  std::optional<std::string> inlineValue;
  if (const std::size_t eq = arg.find('='); arg.starts_with("--") && eq != std::string::npos) {
    name = arg.substr(0, eq);
    inlineValue = arg.substr(eq + 1);
  }
  if (const std::optional<bool> taken = MeterOption(name, inlineValue)) {
    simulatorOptions = true;
    return *taken;
  }
  std::string text;
  double number = 0;
  const auto noValue = [&] { return !inlineValue || Fail("option " + name + " takes no value"); };
  if (name == "--help" || name == "-h") {
    out.help = true;
    return noValue();
  }
  if (name == "--loop") {
    out.loop = true;
    return noValue();
  }
  if (name == "--stdout") {
    out.rawOut = "-";
    return noValue();
  }
  if (name == "--seconds") {
    if (!Number(name, inlineValue, number)) {
      return false;
    }
    out.seconds = number;
    return number > 0 || Fail("option --seconds needs a time above 0");
  }
  if (name == "--replay" || name == "--link" || name == "--raw-out") {
    if (!Value(name, inlineValue, text)) {
      return false;
    }
    if (text.empty()) {
      return Fail("option " + name + " needs a file name");
    }
    if (name == "--replay") {
      out.replayPath = text;
    } else if (name == "--link") {
      out.linkPath = text;
    } else {
      out.rawOut = text;
    }
    return true;
  }
  return Fail("unknown option '" + arg + "'");
}

// The options that set what the simulated meter shows; none when `name` is not one of them,
// else whether it was taken.
std::optional<bool> Parser::MeterOption(const std::string& name,
                                        std::optional<std::string>& inlineValue) {
  SimSettings& s = out.options.start;
  std::string text;
  double number = 0;
  if (name == "--over") {
    s.over = true;
    return !inlineValue || Fail("option " + name + " takes no value");
  }
  if (name == "--function") {
    return Value(name, inlineValue, text) &&
           (ParseFunction(text, s.function) || Fail("unknown function '" + text + "' (use A..T)"));
  }
  if (name == "--range") {
    return Value(name, inlineValue, text) &&
           (ParseRange(text, s.range) ||
            Fail("option --range needs a range number or 'auto', not '" + text + "'"));
  }
  if (name == "--switch") {
    return Value(name, inlineValue, text) && ParseSwitchSchedule(text, out.options.schedule, error);
  }
  if (name == "--seed") {
    return Value(name, inlineValue, text) &&
           (ParseSeed(text, out.options.seed) ||
            Fail("option --seed needs a whole number, not '" + text + "'"));
  }
  if (name != "--value" && name != "--drift" && name != "--noise" && name != "--frequency" &&
      name != "--waveform-after") {
    return std::nullopt;
  }
  if (!Number(name, inlineValue, number)) {
    return false;
  }
  if (name == "--value") {
    s.value = number;
  } else if (name == "--drift") {
    s.drift = number;
  } else if (name == "--noise") {
    s.noise = number;
  } else if (name == "--frequency") {
    s.frequency = number;
  } else {
    out.options.waveformAfter = number;
  }
  return true;
}

bool Parser::Check() {
  if (out.help) {
    return true;
  }
  if (out.replayPath && simulatorOptions) {
    return Fail("--replay plays a captured stream; it takes no meter options");
  }
  if (!out.replayPath && out.loop) {
    return Fail("--loop only goes with --replay");
  }
  if (out.rawOut && !out.linkPath.empty()) {
    return Fail("--link needs the pseudo-terminal; it does not go with --raw-out or --stdout");
  }
  if (out.rawOut && !out.seconds && (!out.replayPath || out.loop)) {
    return Fail("--raw-out and --stdout need --seconds to know how much line time to write");
  }
  if (!out.replayPath) {
    error = MeterSimulator::Validate(out.options);
    return error.empty();
  }
  return true;
}

}  // namespace

bool ParseSwitchSchedule(std::string_view text, std::vector<SimSwitch>& out, std::string& error) {
  std::vector<SimSwitch> parsed;
  for (std::string_view item : Split(text, ',')) {
    const std::size_t colon = item.find(':');
    SimSwitch change;
    bool ok = colon != item.npos && ParseNumber(item.substr(0, colon), change.atSeconds) &&
              change.atSeconds >= 0;
    if (ok) {
      for (std::string_view action : Split(item.substr(colon + 1), '/')) {
        ok = ok && ParseAction(action, change);
      }
    }
    if (!ok) {
      error = "bad switch '" + std::string(item) +
              "' (use SECONDS:ACTION[/ACTION], actions A..T, rN, r=auto, over, ok, v=NUMBER)";
      return false;
    }
    parsed.push_back(change);
  }
  out.insert(out.end(), parsed.begin(), parsed.end());
  return true;
}

bool ParseSimCommandLine(const std::vector<std::string>& args, SimCommandLine& out,
                         std::string& error) {
  Parser parser{args, out, error};
  for (parser.i = 0; parser.i < args.size(); ++parser.i) {
    if (!parser.One(args[parser.i])) {
      return false;
    }
  }
  return parser.Check();
}

}  // namespace volmograph

namespace volmograph {
namespace {

const char* PrefixName(char prefix) {
  switch (prefix) {
    case 'n':
      return "n";
    case 'u':
      return "u";
    case 'm':
      return "m";
    case 'K':
      return "k";
    case 'M':
      return "M";
    default:
      return "";
  }
}

// e.g. "  E ohm: 0=400.0 ohm 1=4.000 kohm ..."
std::string FunctionLine(const MeterFunction& f) {
  std::string line = "  ";
  line += f.code;
  line += "  ";
  line += f.name;
  line += " (" + std::string(f.baseUnit) + "): ranges";
  for (std::size_t i = 0; i < f.ranges.size(); ++i) {
    const MeterRange& r = f.ranges[i];
    std::string fullScale = FormatCountsText(f.maxCounts > 9999 ? 99999 : 4000, r.decimals);
    fullScale.erase(0, fullScale.find_first_not_of(' '));
    line += " " + std::to_string(i) + "=" + fullScale + " " + PrefixName(r.prefix) + f.baseUnit;
  }
  return line + "\n";
}

}  // namespace

std::string SimUsage() {
  std::string text =
      "Usage: volmograph-sim [OPTIONS]\n"
      "Plays a simulated meter on a pseudo-terminal (9600 baud, 8N1) and prints the\n"
      "slave's path on the first line of standard output. Runs until SIGINT or SIGTERM.\n"
      "While running, SIGUSR1 or a line starting with 'w' on standard input sends a\n"
      "waveform capture.\n"
      "\n"
      "  --function X          measuring function A..T (default B, see below)\n"
      "  --value NUMBER        value centre in the function's unit (default: typical)\n"
      "  --range N|auto        fixed range number (default auto)\n"
      "  --drift NUMBER        change of the value per second (default 0)\n"
      "  --noise NUMBER        readings spread over value +/- NUMBER (default 0)\n"
      "  --frequency NUMBER    second display of the AC functions in Hz (default 50)\n"
      "  --over                send every reading over range\n"
      "  --switch LIST         scheduled changes, SECONDS:ACTION[/ACTION] separated by\n"
      "                        commas; actions: a function letter, rN or r=auto (range),\n"
      "                        over, ok, v=NUMBER (value). E.g. 5:E,10:B/r2,12:over,14:ok\n"
      "  --waveform-after S    send one waveform capture S seconds after the start\n"
      "  --seed N              seed of the noise (default 1)\n"
      "  --replay FILE         send a captured byte stream at line pace instead\n"
      "  --loop                start the replay over when it ends (default: stop)\n"
      "  --seconds N           stop after N seconds\n"
      "  --link PATH           make PATH a symbolic link to the slave while running\n"
      "  --raw-out FILE        write N seconds (--seconds) of line bytes to FILE at once,\n"
      "                        without a pseudo-terminal; '-' is standard output\n"
      "  --stdout              the same as --raw-out -\n"
      "  -h, --help            show this text\n"
      "\n"
      "Functions and ranges:\n";
  for (const MeterFunction& f : MeterFunctions()) {
    text += FunctionLine(f);
  }
  return text;
}

}  // namespace volmograph
