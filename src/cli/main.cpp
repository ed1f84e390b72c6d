// Temporary entry point: dispatches "decode" only, for testing the decode command.

#include <cstdio>
#include <cstring>

#include "cli/Commands.h"

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "decode") == 0) {
    return volmograph::cli::RunDecode(argc - 2, argv + 2);
  }
  std::fprintf(stderr, "usage: volmograph-cli decode [FILE]\n");
  return 2;
}
