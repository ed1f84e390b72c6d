#pragma once

// Small parsers shared by the subcommands' options.

#include <charconv>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace volmograph::cli {

// A whole number filling all of `text`.
template <typename T>
bool ParseWhole(std::string_view text, T& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty();
}

// The view's sampling-time command for "250ms", "500ms", "1s", "2s", "5s" or "10s"; 0 for
// anything else.
int SamplingCommand(std::string_view name);

// True for "--help" and "-h".
bool IsHelp(std::string_view arg);

// The picture a command draws of a data file: the file's own (waveform for a graph file,
// line graph for a text data file) unless --mode names one.
enum class DrawMode { FromFile, Text, Line, Bar, Wave };

// The options of a command that draws one data file: FILE [--mode M] [OUTPUT_FLAG PATH]
// [--dump], with at least the output or --dump.
struct DrawOptions {
  std::string input;
  std::string output;  // the path after `outputFlag`
  DrawMode mode = DrawMode::FromFile;
  bool dump = false;
};

// False with `error` set for wrong arguments, and with an empty `error` for --help.
// `modes` are those --mode takes ("text", "line", "bar", "wave").
bool ParseDrawOptions(int argc, char** argv, std::string_view outputFlag,
                      std::initializer_list<DrawMode> modes, DrawOptions& options,
                      std::string& error);

// The same for a command's own start: --help prints `usage`, and wrong arguments are named
// on stderr for `command`. The exit status when the command ends there, else none.
std::optional<int> ReadDrawCommandLine(int argc, char** argv, const char* command,
                                       const char* usage, std::string_view outputFlag,
                                       std::initializer_list<DrawMode> modes, DrawOptions& options);

// Whether two paths, existing or not, name the same file (hard links included): no output
// may replace an input or another output.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace volmograph::cli
