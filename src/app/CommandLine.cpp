#include "app/CommandLine.h"

#include <string_view>

namespace volmograph::shell {

ShellOptions ParseCommandLine(int argc, const char* const* argv) {
  ShellOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--no-splash") {
      options.splash = false;
    } else if (arg == "--demo") {
      options.demo = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--script" && i + 1 < argc) {
      options.script = argv[++i];
    }
  }
  return options;
}

std::string UsageText() {
  return "usage: volmograph [--no-splash] [--demo]\n"
         "\n"
         "The desktop program for the handheld multimeter on a serial line.\n"
         "\n"
         "  --no-splash   start without the start-up picture\n"
         "  --demo        a simulated meter stands in for every serial port (this run only;\n"
         "                the settings file is read but never written; sampling starts at\n"
         "                250 mSEC)\n"
         "  --help        show this text\n"
         "  --version     show the version\n"
         "\n"
         "Settings: $VOLMOGRAPH_INI, else $XDG_CONFIG_HOME/volmograph.ini\n"
         "(~/.config/volmograph.ini). 'volmograph-cli ports' shows the serial devices.\n";
}

std::string VersionText() {
  return "Volmograph Version 3.1B\n";
}

}  // namespace volmograph::shell
