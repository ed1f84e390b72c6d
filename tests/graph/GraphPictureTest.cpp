// The line and bar pictures as display lists.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "graph/GraphPicture.h"
#include "support/GraphLines.h"

namespace volmograph::test {
namespace {

const FontDescription kVertical{"Courier New", 13, 10, 900, 600, CharSet::Greek};

struct Drawn {
  std::optional<GraphPlot> plot;
  std::vector<std::string> ops;
};

Drawn Draw(const std::vector<std::string>& lines, GraphKind kind) {
  RecordingCanvas canvas;
  Drawn drawn;
  drawn.plot = DrawGraphPicture(canvas, lines, kind, kVertical);
  drawn.ops = canvas.Operations();
  return drawn;
}

// The operations from the axis title on: the title, the font restored, the plot.
std::vector<std::string> PlotOps(const std::vector<std::string>& ops) {
  const auto title = std::find_if(
      ops.begin(), ops.end(), [](const std::string& op) { return op.starts_with("text 12 102"); });
  return title == ops.end() ? std::vector<std::string>{}
                            : std::vector<std::string>(title, ops.end());
}

TEST(GraphPicture, LineGraphDrawsEveryStepInOrder) {
  const Drawn drawn =
      Draw({GraphLine("DCV", "-12.34"), GraphLine("DCV", " 12.34")}, GraphKind::Line);
  // clang-format off
  const std::vector<std::string> expected = {
      "brush 00FF00", "bkmode transparent", "rect 0 0 453 172",
      "moveto 45 5", "lineto 45 135", "lineto 445 135",
      "defaultfont", "text 41 138 \"0\"",
      "moveto 125 132", "lineto 125 138", "text 121 138 \"1\"",
      "moveto 205 132", "lineto 205 138", "text 201 138 \"2\"",
      "moveto 285 132", "lineto 285 138", "text 281 138 \"3\"",
      "moveto 365 132", "lineto 365 138", "text 361 138 \"4\"",
      "moveto 445 132", "lineto 445 138", "text 441 138 \"5\"",
      "text 185 152 \"100 Samples / Div\"",
      "text 7 2 \"40.00\"", "text 35 62 \"0\"", "text 2 125 \"-40.00\"",
      "font Courier New 13 10 900 600", "charset greek", "text 12 102 \"DCV[ Vdc]\"",
      "defaultfont",
      "moveto 45 91", "lineto 45 91", "lineto 45 51",  // -12.34 and 12.34 on -40..40
  };
  // clang-format on
  EXPECT_EQ(drawn.ops, expected);
  ASSERT_TRUE(drawn.plot);
  EXPECT_EQ(drawn.plot->count, 2);
  EXPECT_EQ(drawn.plot->values[0], -12.34f);
  EXPECT_EQ(drawn.plot->values[1], 12.34f);
  EXPECT_EQ(std::string(drawn.plot->axisTitle.data()), "DCV[ Vdc]");
  EXPECT_EQ(drawn.plot->first, 0);
  EXPECT_EQ(drawn.plot->last, 500);
}

// The plot, after the axis title: bars from the baseline, the diode's second display on
// its widened scale, and a list of one line, which names its own scale and title.
TEST(GraphPicture, PlotsFollowTheKindTheScaleAndTheValues) {
  using Ops = std::vector<std::string>;
  const struct {
    std::vector<std::string> lines;
    GraphKind kind;
    Ops plot;  // the axis title, then the plot
  } cases[] = {
      {{GraphLine("DCV", " 00.00"), GraphLine("DCV", " 40.00"), GraphLine("DCV", "-40.00")},
       GraphKind::Bar,
       {"text 12 102 \"DCV[ Vdc]\"", "defaultfont",            // the title
        "pixel 45 71 0000FF", "moveto 45 71", "lineto 45 71",  // 0 leaves only the pixel
        "pixel 45 71 0000FF", "moveto 45 71", "lineto 45 6",   // sample 1 shares column 45
        "pixel 46 71 0000FF", "moveto 46 71", "lineto 46 135"}},
      {{GraphLine(" V DIODE", "  FORW", "    ", " 0.600"),
        GraphLine(" V DIODE", "  OPEN", "    ", " 5.200")},
       GraphKind::Line,
       {"text 12 102 \" V [Vdc ]\"", "defaultfont", "moveto 45 71", "lineto 45 71", "lineto 45 6"}},
      {{GraphLine("RPM", "  6000", "RPM ")},
       GraphKind::Line,
       {"text 12 102 \"RPM[RPM ]\"", "defaultfont", "moveto 45 71", "lineto 45 71"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PlotOps(Draw(c.lines, c.kind).ops), c.plot);
  }
  EXPECT_FALSE(Draw({}, GraphKind::Line).plot);
  EXPECT_TRUE(Draw({}, GraphKind::Line).ops.empty());
}

TEST(GraphPicture, OnlyTheFirst500LinesArePlotted) {
  std::vector<std::string> lines(600, GraphLine("ACV", " 1.000"));
  lines[499] = GraphLine("ACV", " 2.000");
  const Drawn drawn = Draw(lines, GraphKind::Line);
  ASSERT_TRUE(drawn.plot);
  EXPECT_EQ(drawn.plot->count, 500);
  const std::vector<std::string> plot = PlotOps(drawn.ops);
  ASSERT_EQ(plot.size(), 503u);  // title, font, the zero-length first stroke, one per sample
  EXPECT_EQ(plot.back(), "lineto 444 71");
}

}  // namespace
}  // namespace volmograph::test
