#include <gtest/gtest.h>

#include "platform/HeadlessPlatform.h"
#include "platform/IniProfile.h"
#include "platform/SystemClock.h"

namespace volmograph {
namespace {

std::string Hms(const LocalTime& t) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return text;
}

TEST(ManualClock, CarriesAndWrapsAtMidnight) {
  ManualClock clock({12, 59, 58});
  for (int tick = 0; tick < 19; ++tick) {
    clock.Advance(50);
  }
  EXPECT_EQ(Hms(clock.Now()), "12:59:58");  // 950 ms is not yet a second
  clock.Advance(50);
  EXPECT_EQ(Hms(clock.Now()), "12:59:59");
  clock.Advance(1000);
  EXPECT_EQ(Hms(clock.Now()), "13:00:00");

  clock.Set({23, 59, 59});
  clock.Advance(1500);
  EXPECT_EQ(Hms(clock.Now()), "00:00:00");
  EXPECT_EQ(clock.MillisecondsOfDay(), 500);
  clock.Advance(-1000);
  EXPECT_EQ(Hms(clock.Now()), "23:59:59");
  clock.Advance(25LL * 3600 * 1000);
  EXPECT_EQ(Hms(clock.Now()), "00:59:59");

  clock.Set({0, 0, 61});
  EXPECT_EQ(Hms(clock.Now()), "00:01:01");
  clock.Set({24, 0, 0});
  EXPECT_EQ(Hms(clock.Now()), "00:00:00");
}

TEST(SystemClock, GivesATimeOfDay) {
  const LocalTime now = SystemClock().Now();
  EXPECT_GE(now.hour, 0);
  EXPECT_LE(now.hour, 23);
  EXPECT_GE(now.minute, 0);
  EXPECT_LE(now.minute, 59);
  EXPECT_GE(now.second, 0);
  EXPECT_LE(now.second, 59);
}

TEST(ManualTimer, FiresOnlyRunningTimersAndSurvivesSelfStop) {
  ManualTimer timer;
  timer.SetAvailable(false);
  EXPECT_FALSE(timer.Start(3, 50, [](int) {}));
  EXPECT_FALSE(timer.IsRunning(3));
  timer.SetAvailable(true);

  std::vector<int> fired;
  ASSERT_TRUE(timer.Start(3, 50, [&](int id) { fired.push_back(id); }));
  ASSERT_TRUE(timer.Start(3, 100, [&](int id) {
    timer.Stop(id);  // the handler ends its own timer, then still uses its captures
    fired.push_back(id * 10);
  }));
  EXPECT_EQ(timer.Period(3), 100);
  EXPECT_TRUE(timer.Fire(3));
  EXPECT_FALSE(timer.Fire(3));
  EXPECT_FALSE(timer.Fire(2));
  EXPECT_EQ(fired, std::vector<int>{30});
  ASSERT_EQ(timer.History().size(), 2u);
  EXPECT_EQ(timer.History()[0].periodMs, 50);
}

TEST(HeadlessListBox, SelectionFollowsDeletionsAndTheFrontCanBeTrimmed) {
  HeadlessListBox list;
  for (const char* line : {"a", "b", "c", "d"}) {
    list.Add(line);
  }
  list.Select(2);
  list.DeleteAt(0);
  EXPECT_EQ(list.Selected(), 1);
  EXPECT_EQ(list.Line(1), "c");
  list.DeleteAt(1);
  EXPECT_EQ(list.Selected(), -1);
  list.DeleteAt(7);
  list.DeleteAt(-1);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Line(2), "");
  list.Select(5);
  EXPECT_EQ(list.Selected(), -1);

  // A long run: every append past 499 lines drops the oldest.
  list.Clear();
  for (int i = 0; i < 100000; ++i) {
    list.Add(std::to_string(i));
    if (list.Count() >= 500) {
      list.DeleteAt(0);
    }
  }
  EXPECT_EQ(list.Count(), 499);
  EXPECT_EQ(list.Line(0), "99501");
  EXPECT_EQ(list.Line(498), "99999");
}

TEST(HeadlessForm, TracksCanvasBalance) {
  HeadlessForm form;
  Canvas* frame = form.AcquireCanvas(1017);
  Canvas* view = form.AcquireCanvas(0);
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(frame, view);
  frame->Rectangle(0, 0, 10, 10);
  EXPECT_EQ(form.OutstandingCanvases(), 2);
  form.ReleaseCanvas(0, frame);  // wrong id
  EXPECT_EQ(form.BadReleases(), 1);
  form.ReleaseCanvas(1017, frame);
  form.ReleaseCanvas(1017, frame);  // twice
  form.ReleaseCanvas(0, view);
  EXPECT_EQ(form.OutstandingCanvases(), 0);
  EXPECT_EQ(form.BadReleases(), 2);
  EXPECT_EQ(form.Canvas(1017).Operations().size(), 1u);
  EXPECT_TRUE(form.Canvas(0).Operations().empty());

  form.SetCanvasAvailable(false);
  EXPECT_EQ(form.AcquireCanvas(1017), nullptr);
  EXPECT_EQ(form.OutstandingCanvases(), 0);
  EXPECT_EQ(form.CanvasAcquisitions(), 2);
}

TEST(HeadlessForm, UntouchedControlsAreShownAndEnabled) {
  HeadlessForm form;
  form.Enable(1006, false);
  form.Show(1019, false);
  EXPECT_FALSE(form.IsEnabled(1006));
  EXPECT_TRUE(form.IsShown(1006));
  EXPECT_FALSE(form.IsShown(1019));
  EXPECT_TRUE(form.IsEnabled(1019));
  EXPECT_TRUE(form.Control(1001).shown);
  EXPECT_FALSE(form.Control(1001).font.has_value());
}

TEST(HeadlessPlatform, BundleReachesTheOwnedOrTheGivenProfile) {
  HeadlessPlatform own;
  Platform platform = own.Bundle();
  platform.profile.WriteInt("COMM", "Port", 2);
  platform.statusBar.SetPane(59143, "COM 3");
  EXPECT_EQ(own.m_memoryProfile.GetInt("COMM", "Port", 1), 2);
  EXPECT_EQ(own.m_statusBar.Pane(59143), "COM 3");
  EXPECT_EQ(&platform.form, &own.m_form);

  MemoryProfile external;
  HeadlessPlatform given(external);
  given.Bundle().profile.WriteInt("Db", "Ref", 75);
  EXPECT_EQ(external.GetInt("Db", "Ref", 600), 75);
  EXPECT_TRUE(given.m_memoryProfile.Entries().empty());
}

}  // namespace
}  // namespace volmograph
