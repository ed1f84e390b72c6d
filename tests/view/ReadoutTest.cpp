// The numeric readout and its function modes REL, dB, PEAK HOLD and MIN/MAX/AVG, driven by
// the buttons and by readings arriving during a run.

#include "ViewHarness.h"

namespace volmograph::test {
namespace {

class ViewReadout : public ::testing::Test {
 protected:
  bool Enabled(int id) { return rig.Hp().m_form.IsEnabled(id); }
  void Press(int button) { EXPECT_TRUE(rig.Command(button)); }

  ViewRig rig;
};

TEST_F(ViewReadout, RelCapturesTheNextReadingAndShowsTheDifference) {
  rig.StartPrimed(Dcv(" 1.234"));
  Press(ctl::kRelButton);
  EXPECT_TRUE(Enabled(ctl::kRelGroup));
  EXPECT_TRUE(Enabled(ctl::kRelReference));
  rig.Record(Dcv(" 1.234"));
  EXPECT_EQ(rig.Text(ctl::kRelReference), "     1.234  Vdc");
  EXPECT_EQ(rig.Text(ctl::kValue), "0.000");
  rig.Record(Dcv(" 1.500"));
  EXPECT_EQ(rig.Text(ctl::kValue), "0.266");
  EXPECT_EQ(rig.Lines().back().substr(15, 6), " 1.500");  // the line keeps the reading
  rig.Record(Dcv(" 1.000"));
  EXPECT_EQ(rig.Text(ctl::kValue), "-0.234");
  EXPECT_EQ(rig.Text(ctl::kRelReference), "     1.234  Vdc");

  Press(ctl::kRelButton);
  EXPECT_FALSE(Enabled(ctl::kRelGroup));
  EXPECT_FALSE(Enabled(ctl::kRelReference));
  rig.Record(Dcv(" 1.100"));
  EXPECT_EQ(rig.Text(ctl::kValue), " 1.100");
}

TEST_F(ViewReadout, RelWithDbShowsDecibelsAndDbOffBringsBackTheRelTexts) {
  rig.StartPrimed(Acv(" 10.00"));
  Press(ctl::kDbButton);
  EXPECT_EQ(rig.Text(ctl::kDbReference), "600 OHM");
  EXPECT_TRUE(Enabled(ctl::kDbGroup));
  Press(ctl::kRelButton);
  rig.Record(Acv(" 10.00"));
  EXPECT_EQ(rig.Text(ctl::kRelReference), "rms 22.22 dB");
  EXPECT_EQ(rig.Text(ctl::kValue), "0.00");
  EXPECT_EQ(rig.Text(ctl::kUnit), "dB");
  rig.Record(Acv(" 20.00"));
  EXPECT_EQ(rig.Text(ctl::kValue), "6.02");
  EXPECT_EQ(rig.Text(ctl::kRelReference), "rms 22.22 dB");
  EXPECT_EQ(rig.Lines().back().substr(15, 10), " 20.00 Vac");

  Press(ctl::kDbButton);
  EXPECT_EQ(rig.Text(ctl::kRelReference), "rms  10.00  Vac");
  EXPECT_FALSE(Enabled(ctl::kDbGroup));
  EXPECT_FALSE(Enabled(ctl::kDbReference));
  rig.Record(Acv(" 15.00"));
  EXPECT_EQ(rig.Text(ctl::kValue), "5.000");
  EXPECT_EQ(rig.Text(ctl::kUnit), " Vac");
  EXPECT_EQ(rig.Text(ctl::kRelReference), "rms  10.00  Vac");
}

TEST_F(ViewReadout, PeakHoldInDbAndItsValueTextsAfterDbOff) {
  rig.StartPrimed(Acv(" 10.00"));
  Press(ctl::kPeakHoldButton);
  EXPECT_EQ(rig.Text(ctl::kExtremesGroup), "PEAK HOLD");
  EXPECT_TRUE(Enabled(ctl::kExtremesGroup));
  rig.Record(Acv(" 10.00"));
  EXPECT_EQ(rig.Text(ctl::kPeakMax), "MAX:rms 10.00 Vac");
  EXPECT_EQ(rig.Text(ctl::kPeakMin), "MIN:rms 10.00 Vac");
  rig.Record(Acv(" 20.00"));
  EXPECT_EQ(rig.Text(ctl::kPeakMax), "MAX:rms 20.00 Vac");
  EXPECT_EQ(rig.Text(ctl::kPeakMin), "MIN:rms 10.00 Vac");

  Press(ctl::kDbButton);
  rig.Record(Acv(" 15.00"));
  EXPECT_EQ(rig.Text(ctl::kPeakMax), "MAX:rms 28.24 dB");
  EXPECT_EQ(rig.Text(ctl::kPeakMin), "MIN:rms 22.22 dB");
  EXPECT_EQ(rig.Text(ctl::kValue), "25.74");

  Press(ctl::kDbButton);
  EXPECT_EQ(rig.Text(ctl::kPeakMax), "MAX:rms 28.24 dB");  // until the next reading
  rig.Record(Acv(" 15.00"));
  EXPECT_EQ(rig.Text(ctl::kPeakMax), "MAX:rms 20.00 Vac");
  EXPECT_EQ(rig.Text(ctl::kPeakMin), "MIN:rms 10.00 Vac");
  EXPECT_EQ(rig.Text(ctl::kValue), " 15.00");
  EXPECT_EQ(rig.V().m_restoreTexts, 0);

  Press(ctl::kPeakHoldButton);
  EXPECT_FALSE(Enabled(ctl::kExtremesGroup));
  EXPECT_FALSE(Enabled(ctl::kPeakMax));
  EXPECT_FALSE(Enabled(ctl::kPeakMin));
}

TEST_F(ViewReadout, MinMaxAndPeakHoldExcludeEachOther) {
  rig.StartPrimed(Dcv(" 1.000"));
  Press(ctl::kPeakHoldButton);
  rig.Record(Dcv(" 1.000"));
  rig.Record(Dcv(" 1.000"));
  EXPECT_EQ(rig.V().m_sampleCount, 2.0f);

  Press(ctl::kMinMaxButton);
  EXPECT_EQ(rig.V().m_peakHoldOn, 0);
  EXPECT_EQ(rig.Text(ctl::kPeakMax), "");
  EXPECT_EQ(rig.Text(ctl::kPeakMin), "");
  EXPECT_EQ(rig.Text(ctl::kExtremesGroup), "MIN/MAX");
  EXPECT_EQ(rig.V().m_sampleCount, 0.0f);  // M/M starts a new average
  EXPECT_EQ(rig.V().m_sampleSum, 0.0);
  for (int id : {ctl::kMinMaxMax, ctl::kMinMaxAvg, ctl::kMinMaxMin}) {
    EXPECT_EQ(rig.Text(id), "") << id;
    EXPECT_TRUE(Enabled(id)) << id;
  }
  rig.Record(Dcv(" 1.000"));
  rig.Record(Dcv(" 2.000"));
  rig.Record(Dcv(" 0.500"));
  EXPECT_EQ(rig.Text(ctl::kMinMaxMax), "MAX:    2.000 Vdc");
  EXPECT_EQ(rig.Text(ctl::kMinMaxMin), "MIN:    0.500 Vdc");
  EXPECT_EQ(rig.Text(ctl::kMinMaxAvg), "AVG:   1.167 Vdc");
  EXPECT_EQ(rig.Text(ctl::kPeakMax), "");

  Press(ctl::kPeakHoldButton);
  EXPECT_EQ(rig.V().m_minMaxOn, 0);
  for (int id : {ctl::kMinMaxMax, ctl::kMinMaxAvg, ctl::kMinMaxMin}) {
    EXPECT_EQ(rig.Text(id), "") << id;
  }
  rig.Record(Dcv(" 0.700"));  // the extremes start afresh: the first reading sets both
  EXPECT_EQ(rig.Text(ctl::kPeakMax), "MAX:    0.700 Vdc");
  EXPECT_EQ(rig.Text(ctl::kPeakMin), "MIN:    0.700 Vdc");
  EXPECT_EQ(rig.Text(ctl::kMinMaxMax), "");
}

TEST_F(ViewReadout, DiodeReadingsLeaveRelAndExtremesAloneButAreAveraged) {
  rig.StartPrimed(Dcv(" 1.000"));
  Press(ctl::kRelButton);
  Press(ctl::kPeakHoldButton);
  rig.Record(Dcv(" 1.000"));
  rig.Record(Dcv(" 1.200"));
  const std::string rel = rig.Text(ctl::kRelReference);
  const std::string max = rig.Text(ctl::kPeakMax);
  const std::string min = rig.Text(ctl::kPeakMin);
  EXPECT_EQ(max, "MAX:    1.200 Vdc");

  const std::string diode = Frame('G', " 0.512", " V  ", ' ', " 0.512", " V  ");
  rig.Record(diode);  // a new function: primes only
  const float count = rig.V().m_sampleCount;
  const double sum = rig.V().m_sampleSum;
  rig.Record(diode);
  EXPECT_EQ(rig.Text(ctl::kValue), "  FORW");
  EXPECT_EQ(rig.Text(ctl::kUnit), "    ");
  EXPECT_EQ(rig.Text(ctl::kValue2), " 0.512");
  EXPECT_EQ(rig.Text(ctl::kUnit2), "Vdc ");
  EXPECT_EQ(rig.Text(ctl::kRelReference), rel);
  EXPECT_EQ(rig.Text(ctl::kPeakMax), max);
  EXPECT_EQ(rig.Text(ctl::kPeakMin), min);
  EXPECT_EQ(rig.V().m_relValue, 1.0f);
  EXPECT_EQ(rig.V().m_phMax, 1.2f);
  EXPECT_EQ(rig.V().m_phMin, 1.0f);
  EXPECT_EQ(rig.V().m_sampleCount, count + 1);
  EXPECT_DOUBLE_EQ(rig.V().m_sampleSum, sum + 0.512f);
}

TEST_F(ViewReadout, FiguresRestartWithANewFunctionOrPrefixAndTakeAnyValue) {
  const std::string ohms = Frame('E', " 390.0", " Ohm");
  const std::string kiloOhms = Frame('E', " 3.900", "KOhm");
  rig.StartPrimed(ohms);
  Press(ctl::kRelButton);
  Press(ctl::kPeakHoldButton);
  rig.Record(ohms);
  rig.Record(kiloOhms);  // the meter ranges up: primes only
  rig.Record(kiloOhms);
  EXPECT_FALSE(Enabled(ctl::kRelGroup));  // a reference in ohms says nothing of kilohms
  EXPECT_EQ(rig.Text(ctl::kValue), " 3.900");
  EXPECT_EQ(rig.Text(ctl::kPeakMax), "MAX:    3.900kOhm");
  EXPECT_EQ(rig.Text(ctl::kPeakMin), "MIN:    3.900kOhm");

  // Volts are not averaged with ohms; readings beyond 10000 RPM still become extremes.
  ViewRig mixed;
  mixed.StartPrimed(Dcv(" 1.000"));
  mixed.Command(ctl::kMinMaxButton);
  mixed.Record(Dcv(" 1.000"));
  mixed.Record(ohms);
  mixed.Record(ohms);
  EXPECT_EQ(mixed.Text(ctl::kMinMaxAvg), "AVG:   390.000 Ohm");
  EXPECT_EQ(mixed.Text(ctl::kMinMaxMin), "MIN:    390.0 Ohm");
  const std::string rpm = Frame('M', " 12000", " RPM");
  mixed.Record(rpm);
  mixed.Record(rpm);
  EXPECT_EQ(mixed.Text(ctl::kMinMaxMax), "MAX:    12000 RPM");
  EXPECT_EQ(mixed.Text(ctl::kMinMaxMin), "MIN:    12000 RPM");
}

TEST_F(ViewReadout, RelDifferenceShowsOverOnlyWhenTheReadingIs) {
  struct Case {
    const char* reference;
    const char* reading;
    const char* shown;
  };
  for (const Case& c : {Case{"-2.000", " 2.000", "4.000"}, Case{" 1.000", " 4.100", "OVER"},
                        Case{" 1.000", " 0.500", "-0.500"}}) {
    SCOPED_TRACE(c.reading);
    ViewRig run;
    run.StartPrimed(Dcv(c.reference));
    run.Command(ctl::kRelButton);
    run.Record(Dcv(c.reference));
    run.Record(Dcv(c.reading));
    EXPECT_EQ(run.Text(ctl::kValue), c.shown);
  }
}

TEST_F(ViewReadout, DbModeShowsNanosiemensForResistances) {
  // Just under one megaohm, as a 4000-count display shows it.
  rig.StartPrimed(Frame('E', " 0.999", "MOhm"));
  Press(ctl::kDbButton);
  rig.Record(Frame('E', " 0.999", "MOhm"));
  EXPECT_EQ(rig.Text(ctl::kValue), "0.0");
  EXPECT_EQ(rig.Text(ctl::kUnit), "nS");
  rig.Record(Frame('E', "  2000", "KOhm"));  // a new prefix: primes only
  rig.Record(Frame('E', "  2000", "KOhm"));
  EXPECT_EQ(rig.Text(ctl::kValue), "500.0");
  EXPECT_EQ(rig.Text(ctl::kUnit), "nS");

  Press(ctl::kRelButton);
  rig.Record(Frame('E', "  2000", "KOhm"));
  EXPECT_EQ(rig.Text(ctl::kRelReference), "    500.0 nS");
  EXPECT_EQ(rig.Text(ctl::kValue), "0.0");
}

TEST_F(ViewReadout, DerivedFiguresAreNotMistakenForOverRange) {
  // Three decimals received: 8.24 dB and 500.0 nS lie far above 3.999 counts, yet the
  // readings are in range.
  rig.StartPrimed(Acv(" 2.000"));
  Press(ctl::kDbButton);
  rig.Record(Acv(" 2.000"));
  EXPECT_EQ(rig.Text(ctl::kValue), "8.24");
  rig.Record(Acv(" 4.100"));  // the reading itself over range
  EXPECT_EQ(rig.Text(ctl::kValue), "OVER");

  ViewRig ohms;
  ohms.StartPrimed(Frame('E', " 2.000", "MOhm"));
  ohms.Command(ctl::kDbButton);
  ohms.Record(Frame('E', " 2.000", "MOhm"));
  EXPECT_EQ(ohms.Text(ctl::kValue), "500.0");
}

TEST_F(ViewReadout, DbReferenceTextFollowsEveryReadingAndEveryImpedanceChange) {
  const std::string capacitance = Frame('H', " 1.000", "uF  ");
  rig.StartPrimed(capacitance);
  Press(ctl::kDbButton);
  rig.Hp().m_form.SetText(ctl::kDbReference, "");
  rig.Record(capacitance);  // no dB figure for capacitance, but the reference is shown
  EXPECT_EQ(rig.Text(ctl::kValue), " 1.000");
  EXPECT_EQ(rig.Text(ctl::kUnit),
            "\xB5"
            "F  ");
  EXPECT_EQ(rig.Text(ctl::kDbReference), "600 OHM");

  rig.Command(cmd::kDbRefFirst + 5);  // 75 Ohm
  EXPECT_EQ(rig.Text(ctl::kDbReference), "75 OHM");
  Press(ctl::kDbButton);
  rig.Command(cmd::kDbRefFirst);  // 2 Ohm, with dB off
  EXPECT_EQ(rig.Text(ctl::kDbReference), "75 OHM");
  EXPECT_EQ(rig.Hp().m_statusBar.Pane(pane::kDbReference), "   2 Ohm");
}

}  // namespace
}  // namespace volmograph::test
