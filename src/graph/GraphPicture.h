#pragma once

// The line and bar graphs of the sample list, always the full 453 x 172 picture: green
// background, axes with five ticks of 100 samples, the scale labels of GraphScale, the
// rotated axis title, and one line vertex or one bar per sample for the first 500 lines.

#include <array>
#include <optional>
#include <span>
#include <string>

#include "graph/GraphScale.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"

namespace volmograph {

enum class GraphKind { Line, Bar };

// What a drawing leaves behind for the view (and the printed report) to keep.
struct GraphPlot {
  std::array<float, kGraphSamples> values{};  // values[i] of list line i, i < count
  int count = 0;                              // lines parsed and plotted, at most 500
  std::array<char, kAxisTitleSize> axisTitle{};
  int first = 0;  // the sample window: the screen graph always shows 0..500
  int last = kGraphSamples;
};

// Draws the graph of `lines` (oldest first). The scale and the title come from line 1, or
// from line 0 when it is the only one. Without lines nothing is drawn and there is no plot.
std::optional<GraphPlot> DrawGraphPicture(Canvas& canvas, std::span<const std::string> lines,
                                          GraphKind kind, const FontDescription& verticalFont);

}  // namespace volmograph
