// The form a view starts with: made from its template, so a headless view starts as the
// window does, and a view whose form cannot be made is not created.

#include "ViewHarness.h"

namespace volmograph::test {
namespace {

TEST(ViewFormStart, ControlsStartWithTheirTemplateCaptionsAndStates) {
  ViewRig rig;
  struct Expected {
    int id;
    const char* text;
    bool enabled;
  };
  for (const Expected& e : std::initializer_list<Expected>{
           {ctl::kRelGroup, "REL REFERENCE", false},
           {ctl::kDbGroup, "dB REFERENCE", false},
           {ctl::kExtremesGroup, "PEAK HOLD", false},
           {ctl::kRelButton, "REL", true},
           {ctl::kPeakHoldButton, "P-H", true},
           {ctl::kMinMaxButton, "M/M", true},
           {ctl::kDbButton, "dB", true},
           {ctl::kValueHeader, "Measured Value / Range", true},
           {ctl::kRelReference, "", true},
       }) {
    EXPECT_EQ(rig.Text(e.id), e.text) << e.id;
    EXPECT_EQ(rig.Hp().m_form.IsEnabled(e.id), e.enabled) << e.id;
    EXPECT_TRUE(rig.Hp().m_form.IsShown(e.id)) << e.id;
  }
}

TEST(ViewFormStart, AFormThatCannotBeMadeFailsCreationBeforeFontsAndTimer) {
  HeadlessPlatform hp;
  hp.m_form.SetCreationAvailable(false);
  CKeloView view(hp.Bundle());
  EXPECT_EQ(view.OnCreate(), -1);
  EXPECT_FALSE(hp.m_timer.IsRunning(kViewTimerId));
  EXPECT_EQ(view.m_fontValue.height, 0);
  EXPECT_EQ(hp.m_statusBar.Pane(pane::kFileName), "NONAME");  // written before the form
}

}  // namespace
}  // namespace volmograph::test
