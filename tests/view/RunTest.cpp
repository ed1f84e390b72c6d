// Runs fed from byte streams: sample lines, pacing, list changes, the list cap and the
// average window, Start, Stop, Pause, a vanished device and a missing device context.

#include <cstdlib>
#include <vector>

#include "ViewHarness.h"

namespace volmograph::test {
namespace {

constexpr char kDcvLabel[] = "DCV                 ";

std::string DcvLine(std::string_view time, std::string_view value) {
  return SampleLine(time, "   ", value, " Vdc", "   ", "      ", "    ", kDcvLabel, value);
}

// A meter sending back-to-back frames at 960 bytes/s (48 bytes per tick), the stream caught
// 10 bytes into a frame. The displayed value steps by 5 mV on ticks 2, 18, 34, ..., just
// after each due reading, so every due reading sees one settled value.
TEST(ViewRun, StreamIsListedOncePerIntervalByteForByte) {
  ViewRig rig;
  auto shownAt = [](int tick) { return Volts(1.2 + 0.005 * ((tick + 14) / 16)); };
  std::string stream;
  for (std::size_t k = 0; stream.size() < 48 * 70; ++k) {
    const std::size_t start = k == 0 ? 0 : 26 * k - 10;
    stream += Dcv(shownAt(static_cast<int>(start / 48) + 1)).substr(k == 0 ? 10 : 0);
  }

  rig.Command(cmd::kStart);
  EXPECT_EQ(rig.Text(ctl::kValue), "WAIT");
  std::vector<int> listedAt;
  for (int tick = 1; tick <= 65; ++tick) {
    const std::size_t before = rig.Lines().size();
    rig.Feed(std::string_view(stream).substr(48 * (tick - 1), 48));
    rig.Tick();
    if (rig.Lines().size() != before) {
      listedAt.push_back(tick);
    }
  }
  // Due at ticks 1, 17, 33, ...; the first due reading only primes the change check.
  EXPECT_EQ(listedAt, (std::vector<int>{17, 33, 49, 65}));
  ASSERT_EQ(rig.Lines().size(), 4u);
  EXPECT_EQ(rig.Lines()[0], DcvLine("13:59:59", " 1.205"));
  EXPECT_EQ(rig.Lines()[0], " 13:59:59" + std::string(7, ' ') + "1.205 Vdc" + std::string(16, ' ') +
                                "DCV" + std::string(17, ' ') + " 1.205");
  EXPECT_EQ(rig.Lines()[1], DcvLine("14:00:00", " 1.210"));
  EXPECT_EQ(rig.Lines()[2], DcvLine("14:00:01", " 1.215"));
  EXPECT_EQ(rig.Lines()[3], DcvLine("14:00:02", " 1.220"));
  EXPECT_EQ(rig.Hp().m_list.Selected(), 3);
  EXPECT_EQ(rig.Text(ctl::kValue), " 1.220");
  EXPECT_EQ(rig.Text(ctl::kUnit), " Vdc");
  EXPECT_TRUE(rig.Messages().empty());
}

TEST(ViewRun, LineOfAnAcCurrentCarriesMicroSignsAndBothRmsMarkers) {
  ViewRig rig;
  const std::string frame = Frame('I', " 123.4", "uAAC", 'a', " 50.00", " Hz ");
  rig.StartPrimed(frame);
  rig.Record(frame);
  ASSERT_EQ(rig.Lines().size(), 1u);
  EXPECT_EQ(rig.Lines()[0], SampleLine("13:59:59", "rms", " 123.4",
                                       "\xB5"
                                       "Aac",
                                       "rms", " 50.00", " Hz ",
                                       "mA / \xB5"
                                       "A [AC]        ",
                                       " 123.4"));
  EXPECT_EQ(rig.Text(ctl::kUnit),
            "\xB5"
            "Aac");
  EXPECT_EQ(rig.Text(ctl::kRms), "rms");
  EXPECT_EQ(rig.Text(ctl::kValue2), " 50.00");
  EXPECT_EQ(rig.Text(ctl::kUnit2), " Hz ");
}

TEST(ViewRun, OverRangeShowsOverInReadoutAndLineKeepsReceivedText) {
  ViewRig rig;
  rig.StartPrimed(Dcv(" 1.234"));
  rig.Record(Dcv(" 3.999"));
  ASSERT_EQ(rig.Lines().size(), 1u);
  EXPECT_EQ(rig.Lines()[0].substr(15, 6), " OVER ");
  EXPECT_EQ(rig.Lines()[0].substr(61, 6), " 3.999");
  EXPECT_EQ(rig.Text(ctl::kValue), "OVER");
  rig.Record(Dcv(" 3.998"));
  EXPECT_EQ(rig.Lines()[1].substr(15, 6), " 3.998");
  EXPECT_EQ(rig.Text(ctl::kValue), " 3.998");
}

TEST(ViewRun, FirstDueReadingAfterStartOnlyPrimes) {
  ViewRig rig;
  rig.StartPrimed(Dcv(" 1.234"));
  EXPECT_TRUE(rig.Lines().empty());
  EXPECT_EQ(rig.Text(ctl::kValue), "WAIT");
  rig.Record(Dcv(" 1.234"));
  EXPECT_EQ(rig.Lines().size(), 1u);
  EXPECT_EQ(rig.Text(ctl::kValue), " 1.234");
}

// A change of range, function, prefix or unit empties the list and swallows one reading,
// which the readout does not show either.
TEST(ViewRun, ChangeOfRangeFunctionPrefixOrUnitStartsANewList) {
  struct Case {
    const char* what;
    std::string before;
    std::string after;
  };
  const Case cases[] = {
      {"range", Dcv(" 1.234"), Dcv(" 12.34")},
      {"function", Dcv(" 1.234"), Acv(" 1.234")},
      {"prefix", Frame('E', " 1.000", "KOhm"), Frame('E', " 1.000", "MOhm")},
      {"unit", Frame('O', "  21.5", " C  "), Frame('O', "  70.7", " F  ")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ViewRig rig;
    rig.StartPrimed(c.before);
    rig.Record(c.before);
    rig.Record(c.before);
    ASSERT_EQ(rig.Lines().size(), 2u);
    const std::string shown = rig.Text(ctl::kValue);
    rig.Record(c.after);
    EXPECT_TRUE(rig.Lines().empty());
    EXPECT_EQ(rig.Text(ctl::kValue), shown);
    rig.Record(c.after);
    EXPECT_EQ(rig.Lines().size(), 1u);
    EXPECT_EQ(rig.Lines()[0].substr(61, 6), c.after.substr(3, 6));
  }
}

TEST(ViewRun, UnknownFunctionEmptiesListAndKeepsReadout) {
  ViewRig rig;
  rig.StartPrimed(Dcv(" 1.234"));
  rig.Record(Dcv(" 1.234"));
  rig.Record(Dcv(" 1.250"));
  ASSERT_EQ(rig.Lines().size(), 2u);
  rig.Record(Frame('U', " 1.250", " VDC"));
  EXPECT_TRUE(rig.Lines().empty());
  EXPECT_EQ(rig.V().m_function, 0);
  EXPECT_EQ(rig.V().m_lastFunction, 0);
  EXPECT_EQ(rig.Text(ctl::kValue), " 1.250");
  rig.Record(Dcv(" 1.260"));  // primes again
  EXPECT_TRUE(rig.Lines().empty());
  rig.Record(Dcv(" 1.270"));
  EXPECT_EQ(rig.Lines().size(), 1u);
}

// One tick per reading (command 32800) keeps the long run short.
TEST(ViewRun, ListKeeps499LinesAndAverageHoldsTheLast500Values) {
  ViewRig rig;
  rig.Command(cmd::kSampling50ms);
  rig.StartPrimed(Dcv(" 0.000"));
  rig.Command(ctl::kMinMaxButton);
  auto value = [](int i) { return Volts(0.002 * i); };
  for (int i = 1; i <= 600; ++i) {
    rig.Record(Dcv(value(i)));
    if (i == 499) {
      ASSERT_EQ(rig.Lines().size(), 499u);
      EXPECT_EQ(rig.Lines().front().substr(61, 6), value(1));
    }
    if (i == 500) {
      ASSERT_EQ(rig.Lines().size(), 499u);
      EXPECT_EQ(rig.Lines().front().substr(61, 6), value(2));
      EXPECT_EQ(rig.Lines().back().substr(61, 6), value(500));
      EXPECT_EQ(rig.Hp().m_list.Selected(), 498);
    }
  }
  EXPECT_EQ(rig.Lines().size(), 499u);
  double sum = 0.0;
  for (int i = 101; i <= 600; ++i) {
    sum += static_cast<float>(std::strtod(value(i).c_str(), nullptr));
  }
  EXPECT_EQ(rig.V().m_sampleCount, 500.0f);
  EXPECT_DOUBLE_EQ(rig.V().m_sampleSum, sum);
  char average[32];
  std::snprintf(average, sizeof average, "%.3f", sum / 500);
  EXPECT_STREQ(average, "0.701");
  EXPECT_EQ(rig.Text(ctl::kMinMaxAvg), "AVG:   0.701 Vdc");
  EXPECT_EQ(rig.Text(ctl::kMinMaxMax), "MAX:    1.200 Vdc");
  EXPECT_EQ(rig.Text(ctl::kMinMaxMin), "MIN:    0.002 Vdc");
}

// A frame rejected at the due instant leaves the reading due: the next valid frame is
// recorded at once, and the countdown reloaded at the rejected frame paces the one after.
TEST(ViewRun, RejectedFrameDoesNotConsumeTheDueReading) {
  ViewRig rig;
  rig.Command(cmd::kStart);
  std::vector<int> listedAt;
  for (int tick = 1; tick <= 40; ++tick) {
    const std::size_t before = rig.Lines().size();
    rig.Feed(tick == 17 ? Dcv(" 1.2x4") : Dcv(" 1.234"));
    rig.Tick();
    if (rig.Lines().size() != before) {
      listedAt.push_back(tick);
    }
  }
  EXPECT_EQ(listedAt, (std::vector<int>{18, 33}));
  EXPECT_TRUE(rig.Messages().empty());
}

// A new interval does not restart the running countdown; it is used from the next reload.
TEST(ViewRun, NewSamplingIntervalTakesEffectAtTheNextDueReading) {
  ViewRig rig;
  rig.Command(cmd::kStart);
  std::vector<int> listedAt;
  for (int tick = 1; tick <= 45; ++tick) {
    if (tick == 20) {
      rig.Command(cmd::kSampling250ms);
    }
    const std::size_t before = rig.Lines().size();
    rig.Feed(Dcv(" 1.234"));
    rig.Tick();
    if (rig.Lines().size() != before) {
      listedAt.push_back(tick);
    }
  }
  EXPECT_EQ(listedAt, (std::vector<int>{17, 33, 37, 41, 45}));
}

TEST(ViewRun, PauseThenStartResumesWithoutResetting) {
  ViewRig rig;
  rig.StartPrimed(Dcv(" 1.234"));
  rig.Record(Dcv(" 1.234"));
  rig.Record(Dcv(" 1.240"));
  rig.Command(cmd::kPause);
  EXPECT_EQ(rig.V().m_stopped, 1);
  EXPECT_EQ(rig.V().m_running, 1);
  EXPECT_EQ(rig.V().m_acquiring, 0);
  const int ticksLeft = rig.V().m_meter.m_ticksLeft;
  rig.Feed(Dcv(" 1.244") + Dcv(" 1.247") + Dcv(" 1.250") + Dcv(" 1.253").substr(0, 9));
  rig.Tick(20);
  EXPECT_EQ(rig.Line().waiting.size(), 87u);  // not polled while paused
  EXPECT_TRUE(rig.Line().open);
  EXPECT_EQ(rig.V().m_meter.m_ticksLeft, ticksLeft - 20);

  rig.Command(cmd::kStart);
  EXPECT_EQ(rig.V().m_acquiring, 1);
  EXPECT_EQ(rig.V().m_stopped, 0);
  EXPECT_EQ(rig.V().m_meter.m_ticksLeft, ticksLeft - 20);
  EXPECT_EQ(rig.Line().opens, 1);
  EXPECT_EQ(rig.Lines().size(), 2u);
  EXPECT_EQ(rig.Text(ctl::kValue), " 1.240");
  // The countdown ran out during the pause, so the first frame cut is due at once: the
  // one arriving as the run resumed, neither the oldest that queued on the line nor the last
  // one cut before the pause.
  rig.Feed(Dcv(" 1.253").substr(9, 5));
  rig.Tick();
  EXPECT_EQ(rig.Lines().size(), 2u);
  rig.Feed(Dcv(" 1.253").substr(14));
  rig.Tick();
  ASSERT_EQ(rig.Lines().size(), 3u);
  EXPECT_EQ(rig.Lines()[2].substr(15, 6), " 1.253");

  // A meter that falls silent during a pause: its last frame is not listed when it speaks.
  rig.Command(cmd::kPause);
  rig.Feed(Dcv(" 1.260"));
  rig.Tick(20);
  rig.Command(cmd::kStart);
  rig.Tick(3);
  rig.Feed(Dcv(" 1.270"));
  rig.Tick();
  ASSERT_EQ(rig.Lines().size(), 4u);
  EXPECT_EQ(rig.Lines()[3].substr(15, 6), " 1.270");
}

// Idle, the port closed, and the lines recorded kept for Save.
void ExpectEndedAsStopDoes(ViewRig& rig, int lines) {
  EXPECT_EQ(rig.V().m_stopped, 1);
  EXPECT_EQ(rig.V().m_running, 0);
  EXPECT_EQ(rig.V().m_acquiring, 0);
  EXPECT_EQ(rig.V().m_unsaved, 1);
  EXPECT_EQ(rig.V().m_recordedLines, lines);
  EXPECT_FALSE(rig.Line().open);
}

TEST(ViewRun, StopClosesThePortKeepsTheDataAndStartOpensItAgain) {
  ViewRig rig;
  rig.StartPrimed(Dcv(" 1.234"));
  rig.Record(Dcv(" 1.234"));
  rig.Record(Dcv(" 1.240"));
  rig.Command(cmd::kStop);
  ExpectEndedAsStopDoes(rig, 2);
  EXPECT_TRUE(rig.Line().dtrDropped);
  rig.Feed(Dcv(" 1.300"));
  rig.Tick(40);
  EXPECT_EQ(rig.Lines().size(), 2u);
  EXPECT_EQ(rig.Text(ctl::kValue), " 1.240");

  rig.Command(cmd::kStart);
  EXPECT_EQ(rig.Line().opens, 2);
  EXPECT_TRUE(rig.Line().open);
  EXPECT_TRUE(rig.Lines().empty());
  EXPECT_EQ(rig.V().m_unsaved, 0);
  EXPECT_EQ(rig.Text(ctl::kValue), "WAIT");
  EXPECT_EQ(rig.Hp().m_statusBar.Pane(pane::kFileName), "NONAME");
  // Due before a whole frame has come: the previous run's frame primes, and is not listed.
  const std::string next = Dcv(" 1.310");
  rig.Feed(next.substr(0, 10));
  rig.Tick();
  EXPECT_TRUE(rig.Lines().empty());
  EXPECT_EQ(rig.Text(ctl::kValue), "WAIT");
  rig.Feed(next.substr(10));
  rig.Tick();
  rig.Record(next);
  ASSERT_EQ(rig.Lines().size(), 1u);
  EXPECT_EQ(rig.Lines()[0].substr(15, 6), " 1.310");
}

// Unplugged during the run, or during a pause (noticed as the run resumes).
TEST(ViewRun, VanishedDeviceEndsTheRunAsStopDoes) {
  for (const bool duringPause : {false, true}) {
    SCOPED_TRACE(duringPause ? "during a pause" : "during the run");
    ViewRig rig;
    rig.StartPrimed(Dcv(" 1.234"));
    rig.Record(Dcv(" 1.234"));
    rig.Record(Dcv(" 1.240"));
    if (duringPause) {
      rig.Command(cmd::kPause);
    }
    rig.Line().gone = true;
    if (duringPause) {
      rig.Command(cmd::kStart);
    }
    rig.Tick();
    ExpectEndedAsStopDoes(rig, 2);
    EXPECT_EQ(rig.Lines().size(), 2u);
    ASSERT_EQ(rig.Messages().size(), 1u);
    EXPECT_EQ(rig.Messages()[0].text, "Meter connection lost");
    EXPECT_EQ(rig.Messages()[0].detail, "COM2");
    rig.Tick(5);
    EXPECT_EQ(rig.Messages().size(), 1u);
    EXPECT_TRUE(rig.V().QueryCommand(cmd::kSave).enabled);
  }
}

// A meter at another speed, or another device on the port, sends bytes that never make a
// frame the decoder accepts; STX-led junk is cut into frames all the same.
TEST(ViewRun, ALineWithoutFramesIsToldOnceARunAndTheRunGoesOn) {
  const std::string junk = "\x02" + std::string(25, '#') + std::string(40, '\xF0');
  const std::string told =
      "No meter frame in the bytes received: check that the meter sends at 9600 baud, 8N1, on "
      "this port";
  ViewRig rig;
  rig.StartPrimed(Dcv(" 1.234"));
  rig.Record(Dcv(" 1.240"));
  for (int i = 0; i < 20; ++i) {
    rig.Feed(junk);
    rig.Tick();
  }
  EXPECT_TRUE(rig.Messages().empty());  // a line that has carried frames is a meter's line
  rig.Record(Dcv(" 1.245"));
  rig.Command(cmd::kStop);
  rig.Command(cmd::kStart);  // the last run's frame, read again, does not vouch for this one
  for (int i = 0; i < 8; ++i) {
    rig.Feed(i < 4 ? std::string(junk.size(), '\xF0') : junk);
    rig.Tick();
  }
  EXPECT_TRUE(rig.Messages().empty());  // 528 bytes read; told at the next tick
  rig.Tick();
  ASSERT_EQ(rig.Messages().size(), 1u);
  EXPECT_EQ(rig.Messages()[0].text, told);
  EXPECT_EQ(rig.Messages()[0].detail, "COM2");
  EXPECT_EQ(rig.V().m_acquiring, 1);
  rig.Feed(junk + junk);
  rig.Tick(3);
  rig.Record(Dcv(" 1.250"));
  rig.Record(Dcv(" 1.260"));
  EXPECT_EQ(rig.Messages().size(), 1u);
  ASSERT_FALSE(rig.Lines().empty());
  EXPECT_EQ(rig.Lines().back().substr(15, 6), " 1.260");
}

TEST(ViewRun, WithoutDeviceContextFailGetdcIsShownAndTheTickGoesOn) {
  ViewRig rig;
  rig.Hp().m_form.SetCanvasAvailable(false);
  rig.StartPrimed(Dcv(" 1.234"));
  ASSERT_EQ(rig.Messages().size(), 1u);
  EXPECT_EQ(rig.Messages()[0].text, "Fail Getdc!");
  rig.Record(Dcv(" 1.234"));
  EXPECT_EQ(rig.Messages().size(), 2u);
  EXPECT_EQ(rig.Lines().size(), 1u);
  EXPECT_EQ(rig.Text(ctl::kValue), " 1.234");
}

}  // namespace
}  // namespace volmograph::test
