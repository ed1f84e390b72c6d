// Cost of the frame reader per tick at line speed: about two frames arrive per 50 ms call.

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

#include "link/CComTR6400.h"
#include "platform/Prompter.h"
#include "platform/ScriptedSerial.h"

namespace volmograph {
namespace {

std::string Frame(char function) {
  std::string frame(kFrameLength, ' ');
  frame[0] = static_cast<char>(kStx);
  frame[1] = function;
  std::memcpy(&frame[3], " 1.234", 6);
  frame[10] = 'V';
  frame[25] = '\r';
  return frame;
}

// Serves the same 52 bytes (two frames) on every call, without allocating, so the
// measurement is the reader's own work.
class RepeatingLine : public SerialDevice {
 public:
  explicit RepeatingLine(std::string chunk) : m_chunk(std::move(chunk)) {}
  bool Configure() override { return true; }
  void Purge() override {}
  long BytesWaiting() override { return static_cast<long>(m_chunk.size()); }
  long Read(std::uint8_t* buffer, std::size_t capacity) override {
    const std::size_t count = std::min(capacity, m_chunk.size());
    std::memcpy(buffer, m_chunk.data(), count);
    return static_cast<long>(count);
  }
  void DropDtr() override {}
  void Close() override {}
  std::string Name() const override { return "repeating"; }

 private:
  std::string m_chunk;
};

class RepeatingConnector : public SerialConnector {
 public:
  std::unique_ptr<SerialDevice> OpenPort(const std::string&, std::string&) override {
    return std::make_unique<RepeatingLine>(Frame('B') + Frame('C'));
  }
};

// Two frames reach the reader per call; the counts are per frame received.
void ReportPerFrame(benchmark::State& state) {
  const double frames = static_cast<double>(state.iterations()) * 2;
  state.SetItemsProcessed(static_cast<std::int64_t>(frames));
  state.counters["ns_per_frame"] =
      benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_PollTwoFramesPerCall(benchmark::State& state) {
  RepeatingConnector connector;
  RecordingPrompter prompter;
  CComTR6400 meter(connector, prompter);
  meter.Open(1);
  meter.m_reloadTicks = 16;
  for (auto _ : state) {
    --meter.m_ticksLeft;
    benchmark::DoNotOptimize(meter.Poll());
    meter.m_sampleDue = 0;
  }
  ReportPerFrame(state);
}
BENCHMARK(BM_PollTwoFramesPerCall);

// The same through the scripted line the tests use, feeding included.
void BM_PollScriptedLine(benchmark::State& state) {
  ScriptedSerialConnector connector;
  RecordingPrompter prompter;
  CComTR6400 meter(connector, prompter);
  meter.Open(1);
  const std::string chunk = Frame('B') + Frame('C');
  for (auto _ : state) {
    connector.Line()->Feed(chunk);
    --meter.m_ticksLeft;
    benchmark::DoNotOptimize(meter.Poll());
    meter.m_sampleDue = 0;
  }
  ReportPerFrame(state);
}
BENCHMARK(BM_PollScriptedLine);

}  // namespace
}  // namespace volmograph
