// The Line and Bar commands, the graph's repaint and deferred redraw, and the tick's redraw
// of the graph with every recorded reading.

#include <algorithm>
#include <string>
#include <vector>

#include "ViewHarness.h"
#include "graph/GraphPicture.h"
#include "support/GraphLines.h"

namespace volmograph::test {
namespace {

class ViewGraph : public ::testing::Test {
 protected:
  RecordingCanvas& frame() { return rig.Hp().m_form.Canvas(ctl::kDisplayFrame); }
  long Pictures() {
    const auto& ops = frame().Operations();
    return std::count(ops.begin(), ops.end(), "rect 0 0 453 172");
  }
  void List(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
      rig.Hp().m_list.Add(line);
    }
  }

  ViewRig rig;
};

TEST_F(ViewGraph, AnEmptyListIsReportedByTheCommandsOnly) {
  CKeloView& view = rig.V();
  for (const auto& [command, mode] : {std::pair{cmd::kViewLine, 3}, {cmd::kViewBar, 4}}) {
    rig.Hp().m_prompter.Clear();
    EXPECT_TRUE(rig.Command(command));
    EXPECT_EQ(view.m_displayMode, mode);
    for (int id = ctl::kValue; id <= ctl::kUnit2; ++id) {
      EXPECT_FALSE(rig.Hp().m_form.IsShown(id)) << id;
    }
    ASSERT_EQ(rig.Messages().size(), 1u);
    EXPECT_EQ(rig.Messages()[0].text, "Data not exist !");

    view.OnDraw();  // a repaint, and the deferred redraw after it, stay silent
    rig.Tick(3);
    EXPECT_EQ(rig.Messages().size(), 1u);
  }
  EXPECT_TRUE(frame().Operations().empty());
}

TEST_F(ViewGraph, CommandsDrawTheListAndKeepItsPlot) {
  const std::vector<std::string> lines = {GraphLine("DCV", "-12.34"), GraphLine("DCV", " 12.34")};
  List(lines);
  CKeloView& view = rig.V();
  view.m_graphFirst = 7;
  view.m_graphLast = 9;
  for (const auto& [command, kind] :
       {std::pair{cmd::kViewLine, GraphKind::Line}, {cmd::kViewBar, GraphKind::Bar}}) {
    frame().Clear();
    rig.Command(command);
    RecordingCanvas expected;
    DrawGraphPicture(expected, lines, kind, view.m_fontVertical);
    EXPECT_EQ(frame().Operations(), expected.Operations());
  }
  EXPECT_EQ(view.m_plotValues[0], -12.34f);
  EXPECT_EQ(view.m_plotValues[1], 12.34f);
  EXPECT_STREQ(view.m_axisTitle, "DCV[ Vdc]");
  EXPECT_EQ(view.m_graphFirst, 0);
  EXPECT_EQ(view.m_graphLast, 500);
  EXPECT_TRUE(rig.Messages().empty());

  // Without a device context nothing is drawn, and nothing is left unreleased.
  rig.Hp().m_form.SetCanvasAvailable(false);
  frame().Clear();
  rig.Command(cmd::kViewLine);
  EXPECT_TRUE(frame().Operations().empty());
}

TEST_F(ViewGraph, RepaintWhileStoppedIsFollowedByOneMoreDrawing) {
  List({GraphLine("ACV", " 1.000", " Vac")});
  rig.Command(cmd::kViewLine);
  rig.Tick(3);  // nothing pending yet
  frame().Clear();
  rig.V().OnDraw();
  rig.V().OnDraw();
  EXPECT_EQ(Pictures(), 2);
  frame().Clear();
  rig.Tick(3);
  EXPECT_EQ(Pictures(), 1);
}

TEST_F(ViewGraph, EachRecordedReadingRedrawsTheGraphOfItsMode) {
  rig.StartPrimed(Dcv(" 1.234"));
  rig.Record(Dcv(" 1.234"));
  rig.Command(cmd::kViewLine);
  frame().Clear();
  rig.Record(Dcv(" 2.000"));
  ASSERT_EQ(rig.Lines().size(), 2u);
  EXPECT_EQ(Pictures(), 1);
  EXPECT_EQ(frame().Operations().back(), "lineto 45 39");  // 2.000 on -4..4

  rig.Command(cmd::kViewBar);
  frame().Clear();
  rig.Record(Dcv("-4.000"));
  EXPECT_EQ(rig.V().m_displayMode, 4);
  EXPECT_EQ(Pictures(), 1);
  const std::vector<std::string>& ops = frame().Operations();
  EXPECT_EQ(std::vector<std::string>(ops.end() - 3, ops.end()),
            (std::vector<std::string>{"pixel 46 71 0000FF", "moveto 46 71", "lineto 46 135"}));
  EXPECT_TRUE(rig.Messages().empty());
}

}  // namespace
}  // namespace volmograph::test
