// The line and bar pictures as display lists.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "GraphTestLines.h"
#include "graph/GraphPicture.h"

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

// The operations after the axis title, where the plot begins.
std::vector<std::string> PlotOps(const std::vector<std::string>& ops) {
  const auto title = std::find_if(
      ops.begin(), ops.end(), [](const std::string& op) { return op.starts_with("text 12 102"); });
  return title == ops.end() ? std::vector<std::string>{}
                            : std::vector<std::string>(title + 2, ops.end());
}

std::vector<std::string> TextsOf(const std::vector<std::string>& ops) {
  std::vector<std::string> texts;
  std::copy_if(ops.begin(), ops.end(), std::back_inserter(texts),
               [](const std::string& op) { return op.starts_with("text "); });
  return texts;
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

TEST(GraphPicture, BarsRiseFromTheBaselineAndAValueOnItLeavesTheBluePixel) {
  const Drawn drawn =
      Draw({GraphLine("DCV", " 00.00"), GraphLine("DCV", " 40.00"), GraphLine("DCV", "-40.00")},
           GraphKind::Bar);
  const std::vector<std::string> expected = {
      "pixel 45 71 0000FF", "moveto 45 71", "lineto 45 71",  // 0: only the pixel
      "pixel 45 71 0000FF", "moveto 45 71", "lineto 45 6",   // sample 1 shares column 45
      "pixel 46 71 0000FF", "moveto 46 71", "lineto 46 135",
  };
  EXPECT_EQ(PlotOps(drawn.ops), expected);
}

TEST(GraphPicture, OnlyTheFirst500LinesArePlotted) {
  std::vector<std::string> lines(600, GraphLine("ACV", " 1.000"));
  lines[499] = GraphLine("ACV", " 2.000");
  const Drawn drawn = Draw(lines, GraphKind::Line);
  ASSERT_TRUE(drawn.plot);
  EXPECT_EQ(drawn.plot->count, 500);
  const std::vector<std::string> plot = PlotOps(drawn.ops);
  ASSERT_EQ(plot.size(), 501u);  // the zero-length first stroke and one per sample
  EXPECT_EQ(plot.back(), "lineto 444 71");
}

TEST(GraphPicture, DiodeSeriesPlotsTheSecondDisplayOnAWidenedScale) {
  const Drawn drawn = Draw({GraphLine(" V DIODE", "  FORW", "    ", " 0.600"),
                            GraphLine(" V DIODE", "  OPEN", "    ", " 5.200")},
                           GraphKind::Line);
  const std::vector<std::string> texts = TextsOf(drawn.ops);
  EXPECT_EQ(std::vector<std::string>(texts.end() - 4, texts.end()),
            (std::vector<std::string>{"text 7 2 \"4.000\"", "text 35 62 \"0\"",
                                      "text 2 125 \"-4.000\"", "text 12 102 \" V [Vdc ]\""}));
  EXPECT_EQ(PlotOps(drawn.ops),
            (std::vector<std::string>{"moveto 45 71", "lineto 45 71", "lineto 45 6"}));
  EXPECT_EQ(drawn.plot->values[1], 5.2f);
}

TEST(GraphPicture, OneLineNamesItsOwnScaleAndShortLinesReadAsBlanks) {
  const Drawn one = Draw({GraphLine("RPM", "  6000", "RPM ")}, GraphKind::Line);
  EXPECT_EQ(TextsOf(one.ops).back(), "text 12 102 \"RPM[RPM ]\"");
  EXPECT_EQ(PlotOps(one.ops), (std::vector<std::string>{"moveto 45 71", "lineto 45 71"}));

  const Drawn damaged = Draw({"", "x"}, GraphKind::Bar);
  ASSERT_TRUE(damaged.plot);
  EXPECT_EQ(damaged.plot->values[0], 0.0f);
  const std::vector<std::string> texts = TextsOf(damaged.ops);
  EXPECT_EQ(std::vector<std::string>(texts.end() - 4, texts.end()),
            (std::vector<std::string>{"text 12 2 \"4000\"", "text 35 62 \"0\"",
                                      "text 7 125 \"-4000\"", "text 12 102 \"   [    ]\""}));

  EXPECT_FALSE(Draw({}, GraphKind::Line).plot);
  EXPECT_TRUE(Draw({}, GraphKind::Line).ops.empty());
}

}  // namespace
}  // namespace volmograph::test
