// Decoding cost per frame: AcceptFrame plus InterpretReading (target: under 1 µs), and the
// splitter on a captured stream.

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "decode/FrameSplitter.h"
#include "decode/ReadingDecoder.h"

namespace {

std::string ReadVector(const char* name) {
  std::ifstream in(std::string(VOLMOGRAPH_VECTORS_DIR) + "/decode/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Frames() {
  std::vector<std::string> frames;
  for (const auto& record : volmograph::SplitStream(ReadVector("all_functions.bin"))) {
    if (record.kind == volmograph::SplitEvent::Kind::Frame) {
      frames.push_back(record.bytes);
    }
  }
  return frames;
}

void BM_DecodeFrame(benchmark::State& state) {
  const std::vector<std::string> frames = Frames();
  if (frames.empty()) {
    state.SkipWithError("no frames in the vector");
    return;
  }
  std::size_t i = 0;
  for (auto _ : state) {
    const std::string& frame = frames[i];
    volmograph::Reading reading;
    if (volmograph::AcceptFrame(frame, reading) == volmograph::FrameVerdict::Accepted) {
      benchmark::DoNotOptimize(volmograph::InterpretReading(frame[1], reading));
    }
    benchmark::DoNotOptimize(reading);
    i = i + 1 == frames.size() ? 0 : i + 1;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecodeFrame);

void BM_SplitStream(benchmark::State& state) {
  const std::string stream = ReadVector("line_noise.bin") + ReadVector("all_functions.bin");
  for (auto _ : state) {
    volmograph::FrameSplitter splitter;
    volmograph::SplitEvent event;
    splitter.Feed(stream);
    splitter.Finish();
    std::size_t events = 0;
    while (splitter.Next(event)) {
      ++events;
    }
    benchmark::DoNotOptimize(events);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(stream.size()));
}
BENCHMARK(BM_SplitStream);

}  // namespace
