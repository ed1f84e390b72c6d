// volmograph-cli: the headless front end over the same core as the desktop program.

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "cli/Commands.h"
#include "cli/ConsoleOutput.h"

namespace {

void PrintUsage(std::FILE* out) {
  std::fputs(
      "usage: volmograph-cli COMMAND [ARGS]\n"
      "\n"
      "commands:\n"
      "  decode [FILE]     decode raw meter bytes (FILE or standard input), one line per frame\n"
      "  record --port PORT --out FILE.mtr [options]\n"
      "                    record readings from the meter until stopped, then save them\n"
      "  replay CAPTURE --out FILE.mtr [options]\n"
      "                    play a captured byte stream through the view and save the result\n"
      "  export FILE.mtr --csv OUT.csv\n"
      "                    write a data file's lines (or waveform bytes) as CSV\n"
      "  render FILE.mtr [--mode line|bar|wave] --png OUT.png [--dump]\n"
      "                    draw a data file's picture as the display frame shows it\n"
      "  print FILE.mtr [--mode text|line|bar|wave] --pdf OUT.pdf [--dump]\n"
      "                    print a data file as the program prints it, as one PDF\n"
      "  demo [--seconds N]\n"
      "                    run the built-in simulated meter on a pseudo-terminal and show\n"
      "                    its readings decoded live\n"
      "  ports             list the serial devices, who holds them, and the COM port mapping\n"
      "\n"
      "Run 'volmograph-cli COMMAND --help' for the options of a command.\n",
      out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage(stderr);
    return 2;
  }
  const std::string_view command = argv[1];
  if (command == "--help" || command == "-h" || command == "help") {
    PrintUsage(stdout);
    return 0;
  }
  if (command == "decode") {
    return volmograph::cli::RunDecode(argc - 2, argv + 2);
  }
  if (command == "record") {
    return volmograph::cli::RunRecord(argc - 2, argv + 2);
  }
  if (command == "export") {
    return volmograph::cli::RunExport(argc - 2, argv + 2);
  }
  if (command == "replay") {
    return volmograph::cli::RunReplay(argc - 2, argv + 2);
  }
  if (command == "ports") {
    return volmograph::cli::RunPorts(argc - 2, argv + 2);
  }
  if (command == "render") {
    return volmograph::cli::RunRender(argc - 2, argv + 2);
  }
  if (command == "print") {
    return volmograph::cli::RunPrint(argc - 2, argv + 2);
  }
  if (command == "demo") {
    return volmograph::cli::RunDemo(argc - 2, argv + 2);
  }
  volmograph::cli::SayError("", "unknown command '" + std::string(argv[1]) + "' (try --help)");
  return 2;
}
