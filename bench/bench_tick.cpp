// Cost of the view's 50 ms timer tick, and whether a long run's memory stays flat.
// Target: under 5 us per tick.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/HeadlessPlatform.h"
#include "sim/MeterFrameBuilder.h"
#include "sim/MeterSimulator.h"
#include "view/CKeloView.h"
#include "view/Ids.h"

namespace {

using namespace volmograph;

constexpr std::size_t kBytesPerTick = 48;  // 9600 baud for 50 ms

long MaxResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

struct Rig {
  HeadlessPlatform platform;
  std::unique_ptr<CKeloView> view;
  ScriptedLine* line = nullptr;

  Rig() {
    view = std::make_unique<CKeloView>(platform.Bundle());
    view->OnCreate();
    view->OnInitialUpdate();
    view->OnCommand(cmd::kStart);
    line = platform.m_serial.Line().get();
  }
  void Tick() {
    platform.m_timer.Fire(kViewTimerId);
    platform.m_clock.Advance(kViewTimerPeriodMs);
  }
};

// A stream that can be played in a loop: a whole number of frames and of ticks.
std::vector<std::uint8_t> LoopableStream() {
  SimOptions options;
  options.start.function = 'B';
  options.start.noise = 0.01;
  MeterSimulator simulator(options);
  std::vector<std::uint8_t> bytes;
  simulator.Produce(2769 * 1.3, bytes);  // 2769 x 1248 bytes, 1248 = 48 x 26
  return bytes;
}

// One tick on which a reading falls due, in display mode 1 (readout).
void BM_TickWithDueReading(benchmark::State& state) {
  Rig rig;
  const auto frame = BuildMeterFrame(FrameRequest{'B', 1.234});
  const std::string_view bytes(reinterpret_cast<const char*>(frame.data()), frame.size());
  for (auto _ : state) {
    rig.view->m_meter.m_ticksLeft = 1;  // the decrement makes this tick's reading due
    rig.line->Feed(bytes);
    rig.Tick();
  }
  benchmark::DoNotOptimize(rig.platform.m_list.Count());
}
BENCHMARK(BM_TickWithDueReading);

// A million ticks (almost 14 hours of line time) of a run fed at line pace.
void BM_MillionTickRun(benchmark::State& state) {
  const std::vector<std::uint8_t> stream = LoopableStream();
  for (auto _ : state) {
    state.PauseTiming();
    Rig rig;
    const long before = MaxResidentKiB();
    state.ResumeTiming();
    std::size_t offset = 0;
    for (int tick = 0; tick < 1000000; ++tick) {
      rig.line->Feed(
          std::string_view(reinterpret_cast<const char*>(stream.data()) + offset, kBytesPerTick));
      offset = (offset + kBytesPerTick) % stream.size();
      rig.Tick();
    }
    state.PauseTiming();
    state.counters["lines"] = rig.platform.m_list.Count();
    state.counters["rss_growth_KiB"] = static_cast<double>(MaxResidentKiB() - before);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * 1000000);
  state.counters["time_per_tick"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 1000000,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MillionTickRun)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
