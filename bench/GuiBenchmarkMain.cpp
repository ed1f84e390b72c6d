// The main of the benchmarks that draw with Qt: fonts need the application, which runs
// offscreen when there is no display.

#include <benchmark/benchmark.h>

#include "qt/GuiApplication.h"

int main(int argc, char** argv) {
  const auto app = volmograph::EnsureGuiApplication();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
