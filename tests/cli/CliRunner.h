#pragma once

// Runs the built volmograph-cli with its output captured in files.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TestFiles.h"

namespace volmograph::test {

inline const std::string kCli = VOLMOGRAPH_BINARY_DIR "/src/volmograph-cli";

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

// `args` is pasted into a shell command line after the program's name.
inline CliResult RunCli(const std::string& args) {
  const auto dir = std::filesystem::temp_directory_path();
  const std::string tag = std::to_string(getpid());
  const std::string out = (dir / ("cli_out_" + tag)).string();
  const std::string err = (dir / ("cli_err_" + tag)).string();
  const std::string command = "'" + kCli + "' " + args + " >'" + out + "' 2>'" + err + "'";
  const int raw = std::system(command.c_str());
  CliResult run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadFile(out);
  run.err = ReadFile(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return run;
}

}  // namespace volmograph::test
