// Command enabling by run state, disabled commands, control colours and the view timer.

#include "ViewHarness.h"

namespace volmograph::test {
namespace {

// Enabled state of Start, Comm Port, Open, Stop, Pause and Save, in that order.
std::vector<bool> RunCommands(ViewRig& rig) {
  std::vector<bool> enabled;
  for (int id : {cmd::kStart, cmd::kCommPort, cmd::kOpen, cmd::kStop, cmd::kPause, cmd::kSave}) {
    enabled.push_back(rig.V().QueryCommand(id).enabled);
  }
  return enabled;
}

TEST(ViewCommandState, EnablingFollowsTheRunState) {
  ViewRig rig;
  EXPECT_EQ(RunCommands(rig), (std::vector<bool>{1, 1, 1, 0, 0, 0}));  // Idle
  rig.Command(cmd::kStart);
  EXPECT_EQ(RunCommands(rig), (std::vector<bool>{0, 0, 0, 1, 1, 0}));  // Acquiring
  rig.Command(cmd::kPause);
  EXPECT_EQ(RunCommands(rig), (std::vector<bool>{1, 1, 1, 1, 0, 0}));  // Paused
  rig.Command(cmd::kStart);
  EXPECT_EQ(RunCommands(rig), (std::vector<bool>{0, 0, 0, 1, 1, 0}));
  rig.Command(cmd::kStop);
  EXPECT_EQ(RunCommands(rig), (std::vector<bool>{1, 1, 1, 0, 0, 1}));  // Idle, unsaved

  rig.Command(cmd::kStart);  // settings and View items stay enabled during a run
  for (int id : {cmd::kSampling250ms, cmd::kSampling10s, cmd::kDbRefFirst, cmd::kDbRefLast,
                 cmd::kViewBar, cmd::kViewLine, cmd::kViewText}) {
    EXPECT_TRUE(rig.V().QueryCommand(id).enabled) << id;
  }
  for (int id : {cmd::kViewBar, cmd::kViewLine, cmd::kViewText}) {
    EXPECT_FALSE(rig.V().QueryCommand(id).checked) << id;
  }
}

TEST(ViewCommandState, DisabledCommandsDoNothing) {
  ViewRig rig;
  rig.Command(cmd::kStop);
  rig.Command(cmd::kPause);
  EXPECT_EQ(rig.V().m_stopped, 1);
  EXPECT_EQ(rig.V().m_running, 0);
  EXPECT_EQ(rig.V().m_unsaved, 0);
  EXPECT_EQ(rig.Line().closes, 0);

  rig.StartPrimed(Dcv(" 1.234"));
  rig.Record(Dcv(" 1.234"));
  rig.Hp().m_dialogs.ScriptCommPort({1013}, true);
  rig.Command(cmd::kCommPort);
  EXPECT_EQ(rig.Hp().m_dialogs.PendingCommPort(), 1u);  // the dialog never ran
  EXPECT_EQ(rig.V().m_comSettings.m_portIndex, 1);
  rig.Command(cmd::kStart);
  EXPECT_EQ(rig.Line().opens, 1);
  EXPECT_EQ(rig.Lines().size(), 1u);

  rig.Command(cmd::kPause);
  rig.Command(cmd::kPause);
  EXPECT_EQ(rig.V().m_running, 1);
  EXPECT_EQ(rig.V().m_stopped, 1);
}

TEST(ViewCommandState, ControlColours) {
  ViewRig rig;
  CKeloView& view = rig.V();
  EXPECT_FALSE(view.OnCtlColor(ControlKind::Button, ctl::kRelButton));
  EXPECT_FALSE(view.OnCtlColor(ControlKind::Button, ctl::kValue));

  const auto list = view.OnCtlColor(ControlKind::ListBox, ctl::kSampleList);
  ASSERT_TRUE(list);
  EXPECT_EQ(list->text, kBlack);
  EXPECT_EQ(list->background, kCyan);
  EXPECT_EQ(list->mode, BkMode::Opaque);
  EXPECT_EQ(view.m_ctlBkColor, kCyan);
  EXPECT_EQ(view.m_ctlBrush, kCyan);

  for (int id : {1001, 1002, 1003, 1004, 1005, 1017}) {
    const auto colours = view.OnCtlColor(ControlKind::Static, id);
    ASSERT_TRUE(colours) << id;
    EXPECT_EQ(colours->text, kBlack);
    EXPECT_EQ(colours->background, kGreen);
    EXPECT_EQ(colours->mode, BkMode::Opaque);
    EXPECT_EQ(view.m_ctlBkColor, kGreen);
    EXPECT_EQ(view.m_ctlBrush, kGreen);
  }
  for (int id : {1000, 1006, 1013, 1020, 1024}) {
    EXPECT_FALSE(view.OnCtlColor(ControlKind::Static, id)) << id;
  }
  EXPECT_FALSE(view.OnCtlColor(ControlKind::Other, 0));
  EXPECT_EQ(view.m_ctlBkColor, kGreen);  // untouched by framework-coloured requests
}

TEST(ViewCommandState, WithoutATimerTheViewIsCreatedButNeverPolls) {
  ViewRig rig({}, [](HeadlessPlatform& hp) { hp.m_timer.SetAvailable(false); });
  ASSERT_EQ(rig.Messages().size(), 1u);
  EXPECT_EQ(rig.Messages()[0].text, "Too many clocks!");
  EXPECT_EQ(rig.Hp().m_statusBar.Pane(pane::kPort), "COM 2");
  rig.Command(cmd::kStart);
  EXPECT_EQ(rig.V().m_acquiring, 1);
  rig.Feed(Dcv(" 1.234"));
  EXPECT_FALSE(rig.Hp().m_timer.Fire(kViewTimerId));
  EXPECT_EQ(rig.Line().waiting.size(), 26u);
}

}  // namespace
}  // namespace volmograph::test
