#include "graph/GraphPicture.h"

#include <algorithm>

namespace volmograph {

namespace {

constexpr int kAxisColumn = 45;
constexpr int kTickSpacing = 80;  // 100 samples at 0.8 pixel each

void DrawBackgroundAndAxes(Canvas& canvas) {
  canvas.SelectBrush(kGreen);
  canvas.SetBkMode(BkMode::Transparent);
  canvas.Rectangle(0, 0, 453, 172);
  canvas.MoveTo(kAxisColumn, 5);
  canvas.LineTo(kAxisColumn, kGraphAxisRow);
  canvas.LineTo(kAxisColumn + 5 * kTickSpacing, kGraphAxisRow);
}

void DrawSampleAxis(Canvas& canvas) {
  canvas.SelectDefaultFont();  // every text but the axis title
  canvas.TextOut(41, 138, "0");
  for (int k = 1; k <= 5; ++k) {
    const int x = kAxisColumn + k * kTickSpacing;
    canvas.MoveTo(x, 132);
    canvas.LineTo(x, 138);
    canvas.TextOut(x - 4, 138, std::string(1, static_cast<char>('0' + k)));
  }
  canvas.TextOut(185, 152, "100 Samples / Div");
}

void DrawScaleLabels(Canvas& canvas, const GraphScale& scale) {
  canvas.TextOut(scale.topLabelX, 2, std::string(scale.topLabel));
  canvas.TextOut(35, scale.zeroLabelRow, "0");
  if (scale.bottomLabel) {
    canvas.TextOut(scale.bottomLabelX, 125, std::string(*scale.bottomLabel));
  }
}

// A diode series plots its second display, and the scale grows to hold it (the labels
// drawn before stay as they are).
void ReadDiodeValues(std::span<const std::string> lines, GraphPlot& plot, GraphScale& scale) {
  for (int i = 0; i < plot.count; ++i) {
    const float value = ReadValueField(lines[i], kValue2Field.first);
    plot.values[i] = value;
    if (value > scale.top) {
      scale.top = value;
    } else if (value < scale.bottom) {
      scale.bottom = value;
    }
  }
}

void PlotLine(Canvas& canvas, const GraphPlot& plot, const GraphScale& scale) {
  const double step = ScaleStep(scale.top, scale.bottom);
  canvas.MoveTo(kAxisColumn, PlotRow(plot.values[0], scale.bottom, step));
  for (int i = 0; i < plot.count; ++i) {
    canvas.LineTo(SampleColumn(i), PlotRow(plot.values[i], scale.bottom, step));
  }
}

void PlotBars(Canvas& canvas, const GraphPlot& plot, const GraphScale& scale) {
  const double step = ScaleStep(scale.top, scale.bottom);
  for (int i = 0; i < plot.count; ++i) {
    const int x = SampleColumn(i);
    // A value on the baseline leaves just this pixel: LineTo stops short of its end.
    canvas.SetPixel(x, scale.baseline, kBlue);
    canvas.MoveTo(x, scale.baseline);
    canvas.LineTo(x, PlotRow(plot.values[i], scale.bottom, step));
  }
}

}  // namespace

std::optional<GraphPlot> DrawGraphPicture(Canvas& canvas, std::span<const std::string> lines,
                                          GraphKind kind, const FontDescription& verticalFont) {
  if (lines.empty()) {
    return std::nullopt;
  }
  GraphPlot plot;
  plot.count = static_cast<int>(std::min<std::size_t>(lines.size(), kGraphSamples));
  for (int i = 0; i < plot.count; ++i) {
    plot.values[i] = ReadValueField(lines[i], kRawValueField.first);
  }

  DrawBackgroundAndAxes(canvas);
  DrawSampleAxis(canvas);

  // Line 1 rather than line 0 names the scale; a list of one line has only line 0.
  const std::string& scaleLine = lines.size() > 1 ? lines[1] : lines[0];
  GraphScale scale = SelectGraphScale(scaleLine);
  DrawScaleLabels(canvas, scale);
  if (scale.diode) {
    ReadDiodeValues(lines, plot, scale);
  }

  plot.axisTitle = AxisTitle(scaleLine, scale);
  canvas.SelectFont(verticalFont);
  canvas.TextOut(12, 102, std::string(plot.axisTitle.data(), kAxisTitleSize - 1));
  canvas.SelectDefaultFont();

  plot.first = 0;
  plot.last = kGraphSamples;
  if (kind == GraphKind::Line) {
    PlotLine(canvas, plot, scale);
  } else {
    PlotBars(canvas, plot, scale);
  }
  return plot;
}

}  // namespace volmograph
