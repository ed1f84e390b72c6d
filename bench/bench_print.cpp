// A 25-page printout rendered into a PDF file through the view, as the print flow drives
// it: the text report (1115 lines, 500 of them printed) and the bar graph report, whose
// first page draws 500 bars of 19 lines each. Target: well under a second each.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/HeadlessPlatform.h"
#include "qt/PrintPages.h"
#include "view/CKeloView.h"

namespace {

using namespace volmograph;

// A 67-character DCV sample line: time, value, unit, label and raw value in their columns.
std::string SampleLine(int i) {
  char raw[8];
  std::snprintf(raw, sizeof raw, "%6.3f", (i % 700) * 0.01 - 3.5);
  std::string line(67, ' ');
  line.replace(1, 8, "12:00:00");
  line.replace(15, 6, raw);
  line.replace(21, 4, " VDC");
  line.replace(41, 3, "DCV");
  line.replace(61, 6, raw);
  return line;
}

void PrintReport(benchmark::State& state, int displayMode, int lines) {
  HeadlessPlatform platform;
  CKeloView view(platform.Bundle());
  view.OnCreate();
  for (int i = 0; i < lines; ++i) {
    platform.m_list.Add(SampleLine(i));
  }
  view.m_recordedLines = lines;
  view.m_displayMode = displayMode;
  char path[] = "/tmp/bench_print_XXXXXX";
  const int fd = ::mkstemp(path);
  if (fd >= 0) {
    ::close(fd);
  }
  std::string error;
  for (auto _ : state) {
    if (!PrintToPdf(view, path, error)) {
      state.SkipWithError(error.c_str());
      break;
    }
  }
  ::unlink(path);
}

void BM_TextReportToPdf(benchmark::State& state) {
  PrintReport(state, 1, 35 + 24 * 45);  // 25 pages
}
BENCHMARK(BM_TextReportToPdf)->Unit(benchmark::kMillisecond);

void BM_BarReportToPdf(benchmark::State& state) {
  PrintReport(state, 4, 24 * 45);  // 25 pages
}
BENCHMARK(BM_BarReportToPdf)->Unit(benchmark::kMillisecond);

}  // namespace
