#pragma once

// The command line of `volmograph`. Unknown arguments and file names are ignored, as the
// program has always ignored them.

#include <string>

namespace volmograph::shell {

struct ShellOptions {
  bool splash = true;  // --no-splash turns the start-up picture off
  bool demo = false;   // --demo: a simulated meter on every port
  bool help = false;
  bool version = false;
  std::string script;  // --script FILE: a hidden hook that drives the window (screenshots)
};

ShellOptions ParseCommandLine(int argc, const char* const* argv);

// The texts --help and --version print.
std::string UsageText();
std::string VersionText();

}  // namespace volmograph::shell
