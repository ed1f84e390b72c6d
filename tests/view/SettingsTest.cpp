// The four persisted settings: read at creation, changed by the Setup commands, written at
// once, shown in the status bar and checked in the menu.

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>

#include "ViewHarness.h"
#include "platform/IniProfile.h"
#include "support/TestFiles.h"
#include "view/SettingTables.h"
#include "view/SettingsCheck.h"

namespace volmograph::test {
namespace {

std::string Pane(ViewRig& rig, int id) {
  return rig.Hp().m_statusBar.Pane(id);
}

// The checked items of the sampling group (commands in menu order) and of the dB group.
std::vector<int> CheckedSampling(ViewRig& rig) {
  std::vector<int> checked;
  for (const SamplingChoice& choice : kSamplingChoices) {
    const CommandState state = rig.V().QueryCommand(choice.commandId);
    EXPECT_TRUE(state.enabled);
    if (state.checked) {
      checked.push_back(choice.commandId);
    }
  }
  return checked;
}

std::vector<int> CheckedDb(ViewRig& rig) {
  std::vector<int> checked;
  for (int id = cmd::kDbRefFirst; id <= cmd::kDbRefLast; ++id) {
    const CommandState state = rig.V().QueryCommand(id);
    EXPECT_TRUE(state.enabled);
    if (state.checked) {
      checked.push_back(id);
    }
  }
  return checked;
}

constexpr int kDb2 = cmd::kDbRefFirst;
constexpr int kDb600 = cmd::kDbRefFirst + 12;
constexpr int kDb1000 = cmd::kDbRefLast;

TEST(ViewSettings, DefaultsWithoutProfileEntries) {
  ViewRig rig;
  CKeloView& view = rig.V();
  EXPECT_EQ(Pane(rig, pane::kPort), "COM 2");
  EXPECT_EQ(Pane(rig, pane::kSamplingTime), "  1 SEC");
  EXPECT_EQ(Pane(rig, pane::kDbReference), " 600 Ohm");
  EXPECT_EQ(Pane(rig, pane::kFileName), "NONAME");
  EXPECT_EQ(CheckedSampling(rig), std::vector<int>{cmd::kSampling1s});
  EXPECT_EQ(CheckedDb(rig), std::vector<int>{kDb600});
  EXPECT_EQ(view.m_comSettings.m_portIndex, 1);
  EXPECT_EQ(view.m_meter.m_portIndex, 1);
  EXPECT_EQ(view.m_meter.m_reloadTicks, 16);
  EXPECT_EQ(view.m_comSettings.m_samplingTicks, 16);
  EXPECT_EQ(view.m_dbRefOhm, 600);
  EXPECT_EQ(view.m_dbRefKOhm, 0.6f);
  EXPECT_EQ(view.m_samplingLabel, "  1 SEC");
  EXPECT_EQ(rig.Hp().m_memoryProfile.WriteCount(), 0);  // reading writes nothing
  EXPECT_EQ(rig.Hp().m_timer.Period(kViewTimerId), 50);
  EXPECT_TRUE(rig.Messages().empty());

  // Idle in display mode 0: ticks touch nothing, not even a waiting byte.
  EXPECT_EQ(view.m_displayMode, 0);
  rig.Feed(Dcv(" 1.234"));
  rig.Tick(20);
  EXPECT_EQ(rig.Line().waiting.size(), 26u);
  EXPECT_TRUE(rig.Lines().empty());
}

class ViewSettingsFile : public ::testing::Test {
 protected:
  std::string Path() const { return m_folder / "volmograph.ini"; }

  TempFolder m_folder;
};

TEST_F(ViewSettingsFile, ChoicesSurviveARestart) {
  IniProfile ini(Path());
  {
    ViewRig rig(ini);
    rig.Command(cmd::kSampling250ms);
    EXPECT_EQ(rig.V().m_meter.m_reloadTicks, 4);
    EXPECT_EQ(rig.V().m_comSettings.m_samplingTicks, 4);
    EXPECT_EQ(Pane(rig, pane::kSamplingTime), "250 mSEC");
    EXPECT_EQ(CheckedSampling(rig), std::vector<int>{cmd::kSampling250ms});
    EXPECT_EQ(rig.V().m_samplingLabel, "  1 SEC");  // only the pane and the profile change
    rig.Command(kDb2);
    EXPECT_EQ(Pane(rig, pane::kDbReference), "   2 Ohm");
    EXPECT_EQ(CheckedDb(rig), std::vector<int>{kDb2});
    rig.Hp().m_dialogs.ScriptCommPort({1015}, true);
    rig.Command(cmd::kCommPort);
  }
  IniProfile reread(Path());
  EXPECT_EQ(reread.GetInt("Sampling Time", "Current", 0), 5);
  EXPECT_EQ(reread.GetString("Sampling Time", "Use display", ""), "250 mSEC");
  EXPECT_EQ(reread.GetInt("Db", "Ref", 0), 2);
  EXPECT_EQ(reread.GetInt("COMM", "Port", 0), 2);

  ViewRig again(reread);
  EXPECT_EQ(again.V().m_meter.m_reloadTicks, 4);
  EXPECT_EQ(CheckedSampling(again), std::vector<int>{cmd::kSampling250ms});
  EXPECT_EQ(Pane(again, pane::kSamplingTime), "250 mSEC");
  EXPECT_EQ(CheckedDb(again), std::vector<int>{kDb2});
  EXPECT_EQ(again.V().m_dbRefKOhm, 0.002f);
  EXPECT_EQ(Pane(again, pane::kDbReference), "   2 Ohm");
  EXPECT_EQ(Pane(again, pane::kPort), "COM 3");
}

TEST_F(ViewSettingsFile, AChoiceThatCannotBeSavedIsToldAndStillHolds) {
  const std::string original = "[COMM]\nPort=0\n";
  test::WriteFile(Path(), original);
  ASSERT_EQ(::chmod(Path().c_str(), 0444), 0);
  IniProfile ini(Path());
  ViewRig rig(ini);
  rig.Hp().m_dialogs.ScriptCommPort({1015}, true);
  for (const int command : {cmd::kSampling250ms, cmd::kSampling50ms, kDb2, cmd::kCommPort}) {
    SCOPED_TRACE(command);
    rig.Command(command);
    ASSERT_EQ(rig.Messages().size(), 1u);
    EXPECT_EQ(rig.Messages()[0].text, "Settings Save Error!");
    EXPECT_EQ(rig.Messages()[0].detail, Path() + ": the file is read-only");
    rig.Hp().m_prompter.Clear();
  }
  EXPECT_EQ(rig.V().m_meter.m_reloadTicks, 1);
  EXPECT_EQ(rig.V().m_dbRefOhm, 2);
  EXPECT_EQ(Pane(rig, pane::kPort), "COM 3");
  EXPECT_EQ(test::ReadFile(Path()), original);
}

TEST(ViewSettings, PaneTextsKeepTheirWidth) {
  ViewRig rig;
  rig.Command(cmd::kSampling10s);
  EXPECT_EQ(Pane(rig, pane::kSamplingTime), " 10 SEC");
  EXPECT_EQ(rig.V().m_meter.m_reloadTicks, 172);
  EXPECT_EQ(rig.Hp().m_memoryProfile.GetInt("Sampling Time", "Current", 0), 200);
  rig.Command(kDb1000);
  EXPECT_EQ(Pane(rig, pane::kDbReference), "1000 Ohm");
  EXPECT_EQ(rig.V().m_dbRefKOhm, 1.0f);
  EXPECT_EQ(CheckedDb(rig), std::vector<int>{kDb1000});
}

TEST(ViewSettings, FiftyMillisecondCommandChangesOnlyTheTickCount) {
  ViewRig rig;
  rig.Command(cmd::kSampling50ms);
  EXPECT_EQ(rig.V().m_meter.m_reloadTicks, 1);
  EXPECT_EQ(rig.V().m_comSettings.m_samplingTicks, 1);
  EXPECT_EQ(rig.Hp().m_memoryProfile.GetInt("Sampling Time", "Current", 0), 1);
  EXPECT_EQ(rig.Hp().m_memoryProfile.GetString("Sampling Time", "Use display", "none"), "none");
  EXPECT_EQ(Pane(rig, pane::kSamplingTime), "  1 SEC");
  EXPECT_EQ(CheckedSampling(rig), std::vector<int>{cmd::kSampling1s});
  ViewRig again(rig.Hp().m_memoryProfile.Text());
  EXPECT_EQ(again.V().m_meter.m_reloadTicks, 1);
  EXPECT_TRUE(CheckedSampling(again).empty());
}

// Values outside the known sets are used as they are; only impossible ones give the default.
TEST(ViewSettings, UnusualProfileValues) {
  {
    ViewRig rig("[Db]\nRef=601\n");
    EXPECT_EQ(rig.V().m_dbRefOhm, 601);
    EXPECT_EQ(rig.V().m_dbRefKOhm, 0.601f);
    EXPECT_TRUE(CheckedDb(rig).empty());
    EXPECT_EQ(Pane(rig, pane::kDbReference), " 601 Ohm");
  }
  {
    ViewRig rig("[Sampling Time]\nCurrent=16\n");
    EXPECT_EQ(rig.V().m_meter.m_reloadTicks, 16);
    EXPECT_TRUE(CheckedSampling(rig).empty());
  }
  {
    ViewRig rig("[Sampling Time]\nCurrent=200\nUse display= 10 SEC\n");
    EXPECT_EQ(rig.V().m_meter.m_reloadTicks, 172);
    EXPECT_EQ(CheckedSampling(rig), std::vector<int>{cmd::kSampling10s});
    EXPECT_EQ(Pane(rig, pane::kSamplingTime), " 10 SEC");
  }
  {
    ViewRig rig("[Sampling Time]\nCurrent=-3\n");  // damaged: the default interval
    EXPECT_EQ(rig.V().m_meter.m_reloadTicks, 16);
    EXPECT_EQ(CheckedSampling(rig), std::vector<int>{cmd::kSampling1s});
  }
  {
    ViewRig rig("[COMM]\nPort=0\n");
    EXPECT_EQ(Pane(rig, pane::kPort), "COM 1");
  }
  {
    ViewRig rig("[COMM]\nPort=3\n");
    EXPECT_EQ(Pane(rig, pane::kPort), "COM 4");
  }
}

TEST(ViewSettings, DamagedSettingsFileIsDescribedProblemByProblem) {
  TempFolder folder;
  const std::string path = folder / "volmograph.ini";
  struct Case {
    std::string text;
    std::vector<std::string> problems;
  };
  const std::string longValue(60, '7');
  const std::vector<Case> cases{
      {"[COMM]\nPort= 3\n[Db]\nRef=600\n[Sampling Time]\nCurrent=5\nOther=x\n", {}},
      {"[COMM]\nPort=abc\n[Sampling Time]\nCurrent=99999999999\nUse display=fast\n",
       {path + ": [COMM] Port=abc is not a whole number; the default is used",
        path + ": [Sampling Time] Current=99999999999 is out of range; the default is used"}},
      {"[Db]\nRef=-5\n[Sampling Time]\nCurrent=0\n[COMM]\nPort=-99999999999\n",
       {path + ": [COMM] Port=-99999999999 is out of range; the default is used",
        path + ": [Db] Ref=-5 is below 1; the default is used",
        path + ": [Sampling Time] Current=0 is below 1; the default is used"}},
      {"[Db]\nRef=" + longValue + "x\n\x01\x02\n[COMM]\nPort=-9\n",
       {path + ": line 3 holds binary data or is too long to be a setting; it is ignored and kept "
               "as it is",
        path + ": [Db] Ref=" + longValue.substr(0, 40) +
            "... is not a whole number; the default "
            "is used"}},
  };
  for (const Case& c : cases) {
    WriteFile(path, c.text);
    IniProfile file(path);
    EXPECT_EQ(SettingsFileProblems(file), c.problems) << c.text;
  }
}

TEST(ViewSettings, PortSevenNamesTheSerialServer) {
  ViewRig rig("[COMM]\nPort=7\n");
  EXPECT_EQ(Pane(rig, pane::kPort), "COM 8");
  rig.Hp().m_dialogs.ScriptCommPort({}, true);
  rig.Command(cmd::kCommPort);
  ASSERT_EQ(rig.Hp().m_dialogs.CommPortRuns().size(), 1u);
  EXPECT_EQ(rig.Hp().m_dialogs.CommPortRuns()[0].checkedOnOpen, 0);  // no radio button
  EXPECT_EQ(rig.V().m_comSettings.m_portIndex, 7);
  EXPECT_EQ(rig.Hp().m_memoryProfile.GetInt("COMM", "Port", 0), 7);
  EXPECT_EQ(Pane(rig, pane::kPort), "COM 8");

  rig.Command(cmd::kStart);  // the scripted line knows COM1..COM4 only
  ASSERT_EQ(rig.Messages().size(), 1u);
  EXPECT_EQ(rig.Messages()[0].text, "Failed to Open ComPort");
  EXPECT_EQ(rig.V().m_stopped, 1);
  EXPECT_EQ(rig.V().m_running, 0);
  EXPECT_EQ(rig.V().m_displayMode, 0);

  ViewRig server("[COMM]\nPort=7\n", [](HeadlessPlatform& hp) {
    hp.m_serial = ScriptedSerialConnector({"\\\\.\\TELNET"});
  });
  server.Command(cmd::kStart);
  EXPECT_EQ(server.Hp().m_serial.OpenedPorts(), std::vector<std::string>{"\\\\.\\TELNET"});
  EXPECT_EQ(server.V().m_acquiring, 1);
}

// A damaged profile may hold the largest index there is: its port number, one more, must
// neither wrap to a negative pane text nor to COM0.
TEST(ViewSettings, LargestStoredPortIndexStillNamesTheSerialServer) {
  ViewRig rig("[COMM]\nPort=2147483647\n", [](HeadlessPlatform& hp) {
    hp.m_serial = ScriptedSerialConnector({"\\\\.\\TELNET"});
  });
  EXPECT_EQ(Pane(rig, pane::kPort), "COM 2147483648");
  rig.Hp().m_dialogs.ScriptCommPort({}, true);
  rig.Command(cmd::kCommPort);
  EXPECT_EQ(Pane(rig, pane::kPort), "COM 2147483648");
  rig.Command(cmd::kStart);
  EXPECT_EQ(rig.Hp().m_serial.OpenedPorts(), std::vector<std::string>{"\\\\.\\TELNET"});
  EXPECT_EQ(rig.V().m_acquiring, 1);
}

TEST(ViewSettings, CommPortDialogOkWritesThePortAndCancelChangesNothing) {
  ViewRig rig;
  rig.Hp().m_dialogs.ScriptCommPort({1013}, false);
  rig.Command(cmd::kCommPort);
  EXPECT_EQ(rig.Hp().m_dialogs.CommPortRuns().at(0).checkedOnOpen, 1014);
  EXPECT_EQ(rig.V().m_comSettings.m_portIndex, 1);
  EXPECT_EQ(rig.V().m_meter.m_portIndex, 1);
  EXPECT_EQ(rig.Hp().m_memoryProfile.WriteCount(), 0);
  EXPECT_EQ(Pane(rig, pane::kPort), "COM 2");

  rig.Hp().m_dialogs.ScriptCommPort({1016, 1015}, true);
  rig.Command(cmd::kCommPort);
  EXPECT_EQ(rig.V().m_comSettings.m_portIndex, 2);
  EXPECT_EQ(rig.V().m_meter.m_portIndex, 2);
  EXPECT_EQ(rig.Hp().m_memoryProfile.GetInt("COMM", "Port", 0), 2);
  EXPECT_EQ(Pane(rig, pane::kPort), "COM 3");
  rig.Command(cmd::kStart);
  EXPECT_EQ(rig.Hp().m_serial.OpenedPorts(), std::vector<std::string>{"COM3"});
}

TEST(ViewSettings, StartEndDialogValidatesBeforeStoring) {
  ViewRig rig;
  rig.Hp().m_dialogs.ScriptStartEnd({{"600", "500"}, {"10", "0"}, {"x", "100"}, {"300", "100"}});
  rig.Command(cmd::kStartEnd);
  const auto& run = rig.Hp().m_dialogs.StartEndRuns().at(0);
  EXPECT_EQ(run.startShown, "0");
  EXPECT_EQ(run.endShown, "500");
  EXPECT_EQ(run.refusedFields, (std::vector<int>{1025, 1044, 1025}));
  ASSERT_EQ(rig.Messages().size(), 3u);
  EXPECT_EQ(rig.Messages()[0].text, "Please enter an integer between 0 and 500.");
  EXPECT_EQ(rig.Messages()[1].text, "Please enter an integer between 1 and 500.");
  EXPECT_EQ(rig.Messages()[2].text, "Please enter an integer.");
  EXPECT_EQ(rig.V().m_graphFirst, 300);  // START after END is accepted
  EXPECT_EQ(rig.V().m_graphLast, 100);

  rig.Hp().m_dialogs.ScriptStartEnd({{"5", "600"}});  // refused, then cancelled
  rig.Command(cmd::kStartEnd);
  EXPECT_EQ(rig.V().m_graphFirst, 300);
  EXPECT_EQ(rig.V().m_graphLast, 100);
}

}  // namespace
}  // namespace volmograph::test
