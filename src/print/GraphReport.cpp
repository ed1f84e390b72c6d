#include "print/GraphReport.h"

#include <algorithm>

namespace volmograph {

namespace {

constexpr int kLeft = 1800;  // the vertical axis, and the header's margin
constexpr int kBandBottom = -13000;
constexpr int kBandTop = -5000;
constexpr int kBandRight = 11300;
constexpr int kBandHeight = kBandTop - kBandBottom;
constexpr double kStepPerUnit = 0.000125;  // 1 / 8000, the band's height
constexpr int kSampleWidth = 19;
constexpr int kPageTop = -1500;
constexpr Rgb kBaselineGrey{127, 127, 127};

void PrintAxes(Canvas& canvas) {
  canvas.MoveTo(kLeft, kBandTop);
  canvas.LineTo(kLeft, kBandBottom);
  canvas.LineTo(kBandRight, kBandBottom);
}

// The screen's labels, placed for paper; the widest ones start a little further left.
void PrintScaleLabels(Canvas& canvas, const GraphScale& scale) {
  canvas.TextOut(scale.topLabel == "4000" ? 1200 : 1100, -5100, std::string(scale.topLabel));
  if (scale.bottomLabel) {
    canvas.TextOut(*scale.bottomLabel == "-4000" ? 1100 : 1000, -12800,
                   std::string(*scale.bottomLabel));
  }
  canvas.TextOut(1600, scale.bottom == 0 ? -12800 : -8900, "0");
}

void PrintSampleAxis(Canvas& canvas) {
  constexpr int kLabelX[] = {1800, 3500, 5400, 7300, 9200, 11100};
  for (int k = 0; k < 6; ++k) {
    canvas.TextOut(kLabelX[k], -13100, std::string(1, static_cast<char>('0' + k)));
  }
  canvas.TextOut(5400, -13500, "100 Samples / Div");
}

// A diode series plots its second display, and the scale grows to hold it.
void ReadDiodeValues(std::span<const std::string> lines, ReportValues& values, GraphScale& scale) {
  ReadReportValues(lines, kValue2Field.first, values);
  for (int i = values.first; i < values.end; ++i) {
    if (values.values[i] > scale.top) {
      scale.top = values.values[i];
    } else if (values.values[i] < scale.bottom) {
      scale.bottom = values.values[i];
    }
  }
}

class PaperPlot {
 public:
  PaperPlot(const ReportValues& values, const GraphScale& scale)
      : m_values(values),
        m_bottom(scale.bottom),
        m_step(static_cast<double>(scale.top - scale.bottom) * kStepPerUnit) {}

  int X(int i) const { return kLeft + kSampleWidth * (i - m_values.first); }
  int Y(int i) const {
    return kBandBottom + BandHeight(m_values.values[i], m_bottom, m_step, kBandHeight);
  }

 private:
  const ReportValues& m_values;
  float m_bottom;
  double m_step;
};

void PrintLine(Canvas& canvas, const ReportValues& values, const PaperPlot& plot) {
  canvas.MoveTo(kLeft, plot.Y(values.first));
  for (int i = values.first; i < values.end; ++i) {
    canvas.LineTo(plot.X(i), plot.Y(i));
  }
}

// Each bar is 19 adjacent lines up from the baseline; a value on the baseline leaves only
// the grey dots, as LineTo stops short of its end.
void PrintBars(Canvas& canvas, const ReportValues& values, const PaperPlot& plot, int baseline) {
  for (int i = values.first; i < values.end; ++i) {
    for (int b = 0; b < kSampleWidth; ++b) {
      canvas.SetPixel(plot.X(i) + b, baseline, kBaselineGrey);
      canvas.MoveTo(plot.X(i) + b, baseline);
      canvas.LineTo(plot.X(i) + b, plot.Y(i));
    }
  }
}

void PrintGraphPage(Canvas& canvas, const ReportSource& source, ReportValues& values,
                    GraphKind kind) {
  PrintReportHeader(canvas, kLeft, source.fileName, values);
  PrintAxes(canvas);

  // Line 1 rather than line 0 names the scale, as on screen; a list of one line has only 0.
  const std::string& scaleLine = source.lines[source.lines.size() > 1 ? 1 : 0];
  GraphScale scale = SelectGraphScale(scaleLine);
  PrintScaleLabels(canvas, scale);
  const int baseline = scale.bottom == 0 ? kBandBottom : (kBandBottom + kBandTop) / 2;
  if (scale.diode) {
    ReadDiodeValues(source.lines, values, scale);
  }
  const auto title = AxisTitle(scaleLine, scale);
  canvas.TextOut(kLeft, -4000,
                 "Function & Unit    : " + std::string(title.data(), kAxisTitleSize - 1));
  PrintSampleAxis(canvas);

  if (values.end == values.first) {
    return;
  }
  const PaperPlot plot(values, scale);
  if (kind == GraphKind::Line) {
    PrintLine(canvas, values, plot);
  } else {
    PrintBars(canvas, values, plot, baseline);
  }
}

}  // namespace

ReportValues GraphWindowValues(std::size_t lineCount, GraphWindow window) {
  ReportValues values;
  const long long lines = static_cast<long long>(std::min<std::size_t>(lineCount, kGraphSamples));
  values.first = std::clamp(window.first, 0, kGraphSamples);
  values.end =
      static_cast<int>(std::max<long long>(std::min<long long>(lines, window.last), values.first));
  return values;
}

std::optional<ReportValues> PrintGraphReport(Canvas& canvas, const ReportSource& source,
                                             GraphWindow window, GraphKind kind, int page) {
  if (source.lines.empty()) {
    return std::nullopt;
  }
  ReportValues values = GraphWindowValues(source.lines.size(), window);
  ReadReportValues(source.lines, kRawValueField.first, values);

  if (page == 1) {
    PrintGraphPage(canvas, source, values, kind);
  } else if (page > 1) {
    // The window's lines, counted from its start up to its end.
    const long long perPage = std::max(source.linesPerPage, 1);
    const long long first = values.first + perPage * (page - 2);
    PrintListing(canvas, source.lines, first, std::min<long long>(first + perPage, values.end),
                 kLeft, kPageTop);
  }
  return values;
}

}  // namespace volmograph
