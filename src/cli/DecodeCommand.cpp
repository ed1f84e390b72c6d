// volmograph-cli decode [FILE]: lists every frame of a raw meter byte stream.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"
#include "cli/ConsoleOutput.h"
#include "decode/DecodeListing.h"
#include "decode/FrameSplitter.h"

namespace volmograph::cli {
namespace {

constexpr const char* kHelp = R"(usage: volmograph-cli decode [FILE]

Reads raw bytes from the meter's serial line (FILE, or standard input when FILE is
missing or "-"; not a terminal: 'record' reads a meter), cuts them into frames the
way the meter link does, and prints one line per event, in UTF-8, as the bytes
arrive. Frames are cut at every STX (0x02): 26 bytes from an STX are one frame
unless another STX lies among them (a frame cut short, dropped as noise), bytes
before an STX are dropped, and an STX followed by 'Z' starts a bulk transfer of at
least 1000 bytes that ends at the next STX after those.

The first line names the columns and starts with '#'. Every other line starts with
the stream offset of the event's first byte (10 wide) and its kind, then:

  frame    F  "LABEL"  "VALUE"  NUMBER  SCALED  "UNIT"  "RMS"  "RMS2" "VALUE2" "UNIT2"
           D  OVER  DERIVED  |RAW|
  reject   F  "VALUE"  byte 0xNN at offset K is not a value character  |RAW|
  unknown  F  "VALUE"  unknown function code 0xNN  |RAW|
  bulk     bulk transfer of N bytes
  noise    N bytes before STX dropped
  partial  frame cut short after N bytes at end of input  |RAW|
  partial  bulk transfer cut short after N bytes at end of input

  F        function code ('A'..'T'); a DCV frame with prefix 'm' shows as 'C'
  LABEL    the function's 20-character name
  VALUE    main value text, 6 characters (the diode state for function 'G')
  NUMBER   numeric value of the received value text
  SCALED   NUMBER times the prefix factor (k, M, m, n, micro), 7 significant digits
  UNIT     prefix, unit and coupling, 4 characters
  RMS      "rms" or blanks; RMS2, VALUE2, UNIT2: the second display
  D        decimals of VALUE (0..5)
  OVER     "OVER" when the value is over range, else "-"
  DERIVED  "dB x.xx" (dBm, voltages and 20 A currents) or "nS x.x" (resistance)
           against 600 ohm, else "-"
  RAW      the 26 bytes as received

Texts are shown in code page 1253 as the meter's display fonts show them (0xB5 micro
sign, 0xB0 degree sign); control bytes appear as control pictures (0x02 as U+2402).

Exit status: 0 when the input was read to its end, 1 when it cannot be opened or
read or the output cannot be written, 2 for a usage error.
)";

constexpr std::size_t kChunkSize = 64 * 1024;

bool WriteLine(std::FILE* out, const std::string& line) {
  return std::fwrite(line.data(), 1, line.size(), out) == line.size() &&
         std::fputc('\n', out) != EOF;
}

void Drain(FrameSplitter& splitter, bool& writeOk) {
  SplitEvent event;
  while (splitter.Next(event)) {
    writeOk = WriteLine(stdout, DescribeSplitEvent(event)) && writeOk;
  }
}

int Usage(const std::string& message) {
  SayError("decode", message + " (try --help)");
  return 2;
}

// Reads what has arrived, up to `capacity` bytes, so that a pipe's bytes are listed as they
// come: 0 at the end of the input, -1 on an error.
long ReadSome(int fd, char* buffer, std::size_t capacity) {
  for (;;) {
    const ssize_t got = ::read(fd, buffer, capacity);
    if (got >= 0 || errno != EINTR) {
      return static_cast<long>(got);
    }
  }
}

// Lists the frames in the bytes of `in` as they arrive. False, said, when the input cannot
// be read or the listing cannot be written.
bool ListFrames(int in, const std::string& name) {
  bool writeOk = true;
  bool headerWritten = false;  // not before the first read, so an unreadable input prints nothing
  FrameSplitter splitter;
  std::vector<char> chunk(kChunkSize);
  bool readOk = true;
  for (;;) {
    const long got = ReadSome(in, chunk.data(), chunk.size());
    if (got < 0) {
      SayError("decode", "cannot read " + name + ": " + std::strerror(errno));
      readOk = false;
      break;
    }
    if (!headerWritten) {
      writeOk = WriteLine(stdout, DecodeListingHeader());
      headerWritten = true;
    }
    if (got == 0) {
      break;
    }
    splitter.Feed(std::string_view(chunk.data(), static_cast<std::size_t>(got)));
    Drain(splitter, writeOk);
    writeOk = std::fflush(stdout) == 0 && writeOk;
  }
  splitter.Finish();
  Drain(splitter, writeOk);
  if (std::fflush(stdout) != 0 || !writeOk) {
    SayError("decode", "cannot write the listing");
    return false;
  }
  return readOk;
}

}  // namespace

int RunDecode(int argc, char** argv) {
  const char* path = nullptr;
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kHelp, stdout);
      return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      return Usage("unknown option");
    }
    if (path != nullptr) {
      return Usage("more than one FILE");
    }
    path = argv[i];
  }

  const bool useStdin = path == nullptr || std::string_view(path) == "-";
  const std::string name = useStdin ? "standard input" : path;
  const int in = useStdin ? STDIN_FILENO : ::open(path, O_RDONLY | O_NOCTTY | O_CLOEXEC);
  if (in < 0) {
    SayError("decode", "cannot open " + name + ": " + std::strerror(errno));
    return 1;
  }
  // A terminal is no recording: its line discipline changes the bytes, and a meter on a
  // serial port is read by 'record'.
  if (::isatty(in)) {
    if (!useStdin) {
      ::close(in);
    }
    return Usage(name +
                 " is a terminal; give a file of captured bytes, pipe them in, or use "
                 "'record' to read a meter");
  }

  const bool listed = ListFrames(in, name);
  if (!useStdin) {
    ::close(in);
  }
  return listed ? 0 : 1;
}

}  // namespace volmograph::cli
