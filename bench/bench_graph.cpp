// Cost of the display frame's pictures: a line or bar graph of a full list (500 lines), which
// the view redraws on every recorded reading and every repaint in modes 3 and 4, and the
// waveform dot picture. Each is measured on the raster canvas the window shows (target: well
// under 1 ms, so a live graph at the 250 ms interval costs a tiny fraction of a core) and on
// a canvas that only counts its calls (the pictures' own work: parsing, scale, placing).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "graph/GraphPicture.h"
#include "graph/WaveformPicture.h"
#include "qt/RasterCanvas.h"
#include "sim/WaveformBuilder.h"

namespace {

using namespace volmograph;

// Counts the calls made to it and draws nothing, so only the picture's own work is timed.
class CountingCanvas : public Canvas {
 public:
  void SelectBrush(Rgb) override { ++m_calls; }
  void SetBkMode(BkMode) override { ++m_calls; }
  void SetBkColor(Rgb) override { ++m_calls; }
  void SetMapMode(MapMode) override { ++m_calls; }
  void SelectFont(const FontDescription&) override { ++m_calls; }
  void SelectDefaultFont() override { ++m_calls; }
  void Rectangle(int, int, int, int) override { ++m_calls; }
  void MoveTo(int, int) override { ++m_calls; }
  void LineTo(int, int) override { ++m_calls; }
  void TextOut(int, int, const std::string&) override { ++m_calls; }
  void SetPixel(int, int, Rgb) override { ++m_calls; }
  long Calls() const { return m_calls; }

 private:
  long m_calls = 0;
};

// 500 DCV lines of a slow sine on the 40 V range.
std::vector<std::string> FullList() {
  std::vector<std::string> lines;
  for (int i = 0; i < kGraphSamples; ++i) {
    char raw[16];
    std::snprintf(raw, sizeof raw, "%6.2f", 35.0 * std::sin(i / 40.0));
    std::string line(67, ' ');
    line.replace(21, 4, " Vdc");
    line.replace(41, 3, "DCV");
    line.replace(61, 6, raw);
    line.replace(15, 6, raw);
    lines.push_back(line);
  }
  return lines;
}

// The measured work, over any canvas: one whole picture per iteration.
void DrawGraphOnto(benchmark::State& state, Canvas& canvas, GraphKind kind) {
  const std::vector<std::string> lines = FullList();
  const FontDescription vertical{"Courier New", 13, 10, 900, 600, CharSet::Greek};
  for (auto _ : state) {
    auto plot = DrawGraphPicture(canvas, lines, kind, vertical);
    benchmark::DoNotOptimize(plot);
  }
  state.SetItemsProcessed(state.iterations() * kGraphSamples);
}

void BM_GraphOntoCountingCanvas(benchmark::State& state, GraphKind kind) {
  CountingCanvas canvas;
  DrawGraphOnto(state, canvas, kind);
  state.counters["calls/picture"] =
      static_cast<double>(canvas.Calls()) / static_cast<double>(state.iterations());
}
BENCHMARK_CAPTURE(BM_GraphOntoCountingCanvas, line, GraphKind::Line);
BENCHMARK_CAPTURE(BM_GraphOntoCountingCanvas, bar, GraphKind::Bar);

void BM_GraphOntoRasterCanvas(benchmark::State& state, GraphKind kind) {
  RasterCanvas canvas;
  DrawGraphOnto(state, canvas, kind);
}
BENCHMARK_CAPTURE(BM_GraphOntoRasterCanvas, line, GraphKind::Line)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GraphOntoRasterCanvas, bar, GraphKind::Bar)->Unit(benchmark::kMicrosecond);

// The waveform picture as the view draws it: green frame, blue dot brush, marker patch, dots.
void BM_WaveformOntoRasterCanvas(benchmark::State& state) {
  const WaveformCapture capture = BuildWaveformCapture();
  std::uint8_t waveform[kWaveformSize];
  std::copy(capture.begin(), capture.end(), waveform);
  RasterCanvas canvas;
  for (auto _ : state) {
    canvas.SelectBrush(kGreen);
    canvas.SetBkMode(BkMode::Opaque);
    canvas.Rectangle(0, 0, 453, 172);
    canvas.SelectBrush(kBlue);
    ApplyMarkerPatch(waveform);
    DrawWaveformDots(canvas, waveform);
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
}
BENCHMARK(BM_WaveformOntoRasterCanvas)->Unit(benchmark::kMicrosecond);

}  // namespace
