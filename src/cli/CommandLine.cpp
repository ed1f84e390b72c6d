#include "cli/CommandLine.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "cli/ConsoleOutput.h"
#include "view/Ids.h"

namespace volmograph::cli {

int SamplingCommand(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, int>, 6> kIntervals{{
      {"250ms", cmd::kSampling250ms},
      {"500ms", cmd::kSampling500ms},
      {"1s", cmd::kSampling1s},
      {"2s", cmd::kSampling2s},
      {"5s", cmd::kSampling5s},
      {"10s", cmd::kSampling10s},
  }};
  for (const auto& [text, command] : kIntervals) {
    if (text == name) {
      return command;
    }
  }
  return 0;
}

bool IsHelp(std::string_view arg) {
  return arg == "--help" || arg == "-h";
}

namespace {

constexpr std::pair<DrawMode, std::string_view> kDrawModeNames[] = {{DrawMode::Text, "text"},
                                                                    {DrawMode::Line, "line"},
                                                                    {DrawMode::Bar, "bar"},
                                                                    {DrawMode::Wave, "wave"}};

std::string_view DrawModeName(DrawMode mode) {
  for (const auto& [value, name] : kDrawModeNames) {
    if (value == mode) {
      return name;
    }
  }
  return {};
}

// "line, bar or wave"
std::string DrawModeList(std::initializer_list<DrawMode> modes) {
  std::string list;
  std::size_t index = 0;
  for (DrawMode mode : modes) {
    if (index > 0) {
      list += index + 1 == modes.size() ? " or " : ", ";
    }
    list += DrawModeName(mode);
    ++index;
  }
  return list;
}

bool ParseDrawMode(std::string_view text, std::initializer_list<DrawMode> modes, DrawMode& mode) {
  for (DrawMode candidate : modes) {
    if (DrawModeName(candidate) == text) {
      mode = candidate;
      return true;
    }
  }
  return false;
}

}  // namespace

bool ParseDrawOptions(int argc, char** argv, std::string_view outputFlag,
                      std::initializer_list<DrawMode> modes, DrawOptions& options,
                      std::string& error) {
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (IsHelp(arg)) {
      error.clear();
      return false;
    }
    if (arg == "--dump") {
      options.dump = true;
    } else if (arg == "--mode" && hasValue) {
      if (!ParseDrawMode(argv[++i], modes, options.mode)) {
        error = "--mode takes " + DrawModeList(modes) + ", not '" + argv[i] + "'";
        return false;
      }
    } else if (arg == outputFlag && hasValue) {
      options.output = argv[++i];
    } else if (!arg.starts_with("-") && options.input.empty()) {
      options.input = arg;
    } else {
      error = "unexpected argument '" + std::string(arg) + "'";
      return false;
    }
  }
  if (options.input.empty()) {
    error = "no data file given";
  } else if (options.output.empty() && !options.dump) {
    error = "nothing to do: give " + std::string(outputFlag) + " OUT, --dump or both";
  } else if (!options.output.empty() && SameFile(options.output, options.input)) {
    error = std::string(outputFlag) + " names the data file itself, which it would replace";
  }
  return error.empty();
}

std::optional<int> ReadDrawCommandLine(int argc, char** argv, const char* command,
                                       const char* usage, std::string_view outputFlag,
                                       std::initializer_list<DrawMode> modes,
                                       DrawOptions& options) {
  std::string error;
  if (ParseDrawOptions(argc, argv, outputFlag, modes, options, error)) {
    return std::nullopt;
  }
  if (error.empty()) {
    std::fputs(usage, stdout);
    return 0;
  }
  SayError(command, error + " (try --help)");
  return 2;
}

bool SameFile(const std::string& a, const std::string& b) {
  // Absolute first: a relative name that does not exist yet is otherwise left as it is.
  std::error_code error;
  const auto canonicalA = std::filesystem::weakly_canonical(std::filesystem::absolute(a), error);
  const auto canonicalB = std::filesystem::weakly_canonical(std::filesystem::absolute(b), error);
  if (error ? a == b : canonicalA == canonicalB) {
    return true;
  }
  // Two names of one file: a hard link.
  return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace volmograph::cli
