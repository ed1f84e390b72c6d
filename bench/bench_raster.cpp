// Cost of one graph picture on the raster canvas: background, axes, labels, the rotated
// axis title and 500 bars, as every new reading redraws it in bar mode.
// Target: well under the 250 ms of the shortest sampling interval; aim for 2 ms.

#include <benchmark/benchmark.h>

#include <string>

#include "qt/GuiApplication.h"
#include "qt/RasterCanvas.h"

namespace {

using namespace volmograph;

void DrawBarPicture(RasterCanvas& canvas) {
  canvas.SelectBrush(kGreen);
  canvas.SetBkMode(BkMode::Transparent);
  canvas.Rectangle(0, 0, 453, 172);
  canvas.MoveTo(45, 5);
  canvas.LineTo(45, 135);
  canvas.LineTo(445, 135);
  for (int k = 0; k <= 5; ++k) {
    canvas.MoveTo(45 + 80 * k, 132);
    canvas.LineTo(45 + 80 * k, 138);
    canvas.TextOut(41 + 80 * k, 138, std::to_string(k));
  }
  canvas.TextOut(185, 152, "100 Samples / Div");
  canvas.TextOut(7, 2, "40.00");
  canvas.TextOut(35, 62, "0");
  canvas.TextOut(2, 125, "-40.00");
  canvas.SelectFont(FontDescription{"Courier New", 13, 10, 900, 600, CharSet::Greek});
  canvas.TextOut(12, 102, "DCV[ VDC]");
  canvas.SelectDefaultFont();
  for (int i = 0; i < 500; ++i) {
    const int x = 45 + 4 * i / 5;
    canvas.SetPixel(x, 71, kBlue);
    canvas.MoveTo(x, 71);
    canvas.LineTo(x, 6 + (i * 7) % 130);
  }
}

void BM_BarGraphPicture(benchmark::State& state) {
  RasterCanvas canvas;
  for (auto _ : state) {
    DrawBarPicture(canvas);
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
}
BENCHMARK(BM_BarGraphPicture)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  const auto app = EnsureGuiApplication();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
