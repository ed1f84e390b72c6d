// volmograph-sim: a simulated meter on a pseudo-terminal, or its byte stream in a file.

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/TextEncoding.h"
#include "sim/PtyMeter.h"
#include "sim/SimCommandLine.h"

namespace {

using volmograph::MeterSimulator;
using volmograph::SimCommandLine;

constexpr std::uintmax_t kMaxReplayBytes = 64u * 1024u * 1024u;

volatile sig_atomic_t g_stop = 0;
volatile sig_atomic_t g_waveform = 0;

void OnStopSignal(int) {
  g_stop = 1;
}
void OnWaveformSignal(int) {
  g_waveform = 1;
}

void InstallHandlers() {
  struct sigaction sa {};
  sigemptyset(&sa.sa_mask);
  sa.sa_handler = OnStopSignal;
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  sa.sa_handler = OnWaveformSignal;
  sigaction(SIGUSR1, &sa, nullptr);
  signal(SIGPIPE, SIG_IGN);
}

int Fail(const std::string& message, int status) {
  std::fprintf(stderr, "volmograph-sim: %s\n", volmograph::SystemTextToUtf8(message).c_str());
  return status;
}

bool LoadReplay(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error) {
  std::error_code statusError;
  const std::filesystem::file_type kind = std::filesystem::status(path, statusError).type();
  if (statusError && kind != std::filesystem::file_type::not_found) {
    error = "cannot open " + path + ": " + statusError.message();
    return false;
  }
  if (kind == std::filesystem::file_type::directory) {
    error = path + " is a folder, not a captured byte stream";
    return false;
  }
  // A FIFO or a device would hold the simulator at its first read, deaf to --seconds.
  if (kind != std::filesystem::file_type::regular &&
      kind != std::filesystem::file_type::not_found) {
    error = path + " is not a regular file";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<std::uintmax_t>(size) > kMaxReplayBytes) {
    error = path + " is not a readable stream of at most 64 MiB";
    return false;
  }
  in.seekg(0);
  bytes.resize(static_cast<std::size_t>(size));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) {
    error = "cannot read " + path;
    return false;
  }
  if (bytes.empty()) {
    error = path + " is empty";
    return false;
  }
  return true;
}

// Writes the line time at once, a second at a time.
int WriteRaw(MeterSimulator& sim, const SimCommandLine& cmd) {
  const bool toStdout = *cmd.rawOut == "-";
  std::FILE* out = toStdout ? stdout : std::fopen(cmd.rawOut->c_str(), "wb");
  if (!out) {
    return Fail("cannot create " + *cmd.rawOut + ": " + std::strerror(errno), 1);
  }
  double left = cmd.seconds.value_or(1e300);
  std::vector<std::uint8_t> bytes;
  bool ok = true;
  while (ok && left > 0 && !sim.Finished() && !g_stop) {
    const double slice = left < 1.0 ? left : 1.0;
    bytes.clear();
    sim.Produce(slice, bytes);
    left -= slice;
    ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  }
  ok = std::fflush(out) == 0 && ok;
  if (!toStdout) {
    ok = std::fclose(out) == 0 && ok;
  }
  return ok ? 0 : Fail("cannot write " + *cmd.rawOut + ": " + std::strerror(errno), 1);
}

// Looks for lines starting with 'w' on standard input; false once it is closed.
bool ReadCommands(volmograph::PtyMeter& meter, bool& atLineStart) {
  char buffer[256];
  const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
  if (n <= 0) {
    return n < 0 && errno == EINTR;
  }
  for (ssize_t i = 0; i < n; ++i) {
    if (atLineStart && (buffer[i] == 'w' || buffer[i] == 'W')) {
      meter.RequestWaveform();
      std::fprintf(stderr, "volmograph-sim: waveform capture requested\n");
    }
    atLineStart = buffer[i] == '\n';
  }
  return true;
}

int RunPty(MeterSimulator sim, const SimCommandLine& cmd) {
  volmograph::PtyMeter meter(std::move(sim), cmd.linkPath);
  std::string error;
  if (!meter.Start(error)) {
    return Fail(error, 1);
  }
  std::printf("%s\n", meter.SlavePath().c_str());
  std::fflush(stdout);
  if (!cmd.linkPath.empty()) {
    std::fprintf(stderr, "volmograph-sim: %s -> %s\n", cmd.linkPath.c_str(),
                 meter.SlavePath().c_str());
  }
  const auto start = std::chrono::steady_clock::now();
  bool stdinOpen = true;
  bool atLineStart = true;
  while (!g_stop && !meter.Finished()) {
    if (cmd.seconds &&
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() >=
            *cmd.seconds) {
      break;
    }
    pollfd p{STDIN_FILENO, POLLIN, 0};
    const int ready = poll(&p, stdinOpen ? 1 : 0, 100);
    if (ready > 0 && (p.revents & (POLLIN | POLLHUP))) {
      stdinOpen = ReadCommands(meter, atLineStart);
    } else if (ready > 0) {
      stdinOpen = false;
    }
    if (g_waveform) {
      g_waveform = 0;
      meter.RequestWaveform();
    }
  }
  meter.Stop();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  SimCommandLine cmd;
  std::string error;
  if (!volmograph::ParseSimCommandLine(std::vector<std::string>(argv + 1, argv + argc), cmd,
                                       error)) {
    return Fail(error, 2);
  }
  if (cmd.help) {
    std::fputs(volmograph::SimUsage().c_str(), stdout);
    return 0;
  }
  InstallHandlers();
  std::vector<std::uint8_t> stream;
  if (cmd.replayPath && !LoadReplay(*cmd.replayPath, stream, error)) {
    return Fail(error, 1);
  }
  MeterSimulator sim = cmd.replayPath ? MeterSimulator::Replay(std::move(stream), cmd.loop)
                                      : MeterSimulator(cmd.options);
  return cmd.rawOut ? WriteRaw(sim, cmd) : RunPty(std::move(sim), cmd);
}
