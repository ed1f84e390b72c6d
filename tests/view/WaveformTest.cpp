// A bulk transfer ends the run and is drawn as a dot picture; the deferred redraw, the
// marker patch and display-mode switching.

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "ViewHarness.h"

namespace volmograph::test {
namespace {

// STX 'Z', then dot bytes: byte 2 + i is column i % 128 of page i / 128.
std::string Capture() {
  std::string bulk(1024, '\0');
  bulk[0] = '\x02';
  bulk[1] = 'Z';
  bulk[3] = '\x01';                 // column 1, row 0
  bulk[2 + 3 * 128 + 10] = '\x80';  // column 10, row 31
  bulk[130] = '\xFF';               // column 0 of page 1: never drawn
  bulk[66] = '\xFF';                // column 64 of page 0: cleared by the marker patch
  bulk[897] = '\xFF';               // column 127 of page 6: only rows 48..50 are drawn
  return bulk;
}

std::vector<std::string> Picture(const std::vector<std::string>& dots) {
  std::vector<std::string> ops = {"brush 00FF00", "bkmode opaque", "rect 0 0 453 172",
                                  "brush 0000FF"};
  ops.insert(ops.end(), dots.begin(), dots.end());
  return ops;
}

const std::vector<std::string> kCaptureDots = {
    "rect 39 7 42 10",      "rect 66 100 69 103",   "rect 417 151 420 154",
    "rect 417 154 420 157", "rect 417 157 420 160",
};

class ViewWaveform : public ::testing::Test {
 protected:
  // A run with one listed line, then the capture arriving at 48 bytes per tick.
  void ReceiveCapture() {
    rig.StartPrimed(Dcv(" 1.234"));
    rig.Record(Dcv(" 1.234"));
    ASSERT_EQ(rig.Lines().size(), 1u);
    const std::string bulk = Capture();
    for (std::size_t sent = 0; sent + 48 < 1000; sent += 48) {
      rig.Feed(std::string_view(bulk).substr(sent, 48));
      rig.Tick();
      ASSERT_EQ(rig.V().m_acquiring, 1) << "ended before 1000 bytes, at " << sent + 48;
    }
    frame().Clear();
    rig.Feed(std::string_view(bulk).substr(960));
    rig.Tick();
  }
  RecordingCanvas& frame() { return rig.Hp().m_form.Canvas(ctl::kDisplayFrame); }

  ViewRig rig;
};

TEST_F(ViewWaveform, ACaptureBeforeAnyFrameIsNoLineWithoutFrames) {
  rig.Command(cmd::kStart);
  const std::string bulk = Capture();
  for (std::size_t sent = 0; sent < bulk.size(); sent += 48) {
    rig.Feed(std::string_view(bulk).substr(sent, 48));
    rig.Tick();
  }
  EXPECT_EQ(rig.V().m_displayMode, 2);
  EXPECT_TRUE(rig.Messages().empty());
}

// Frames that queued during a pause are dropped on resuming; a capture among them is not,
// even when the meter says nothing more after it.
TEST_F(ViewWaveform, ACaptureSentDuringAPauseIsTakenOnResuming) {
  rig.StartPrimed(Dcv(" 1.234"));
  rig.Command(cmd::kPause);
  rig.Feed(Dcv(" 1.240") + Capture());
  rig.Command(cmd::kStart);
  rig.Tick();
  EXPECT_EQ(rig.V().m_acquiring, 0);
  EXPECT_EQ(rig.V().m_displayMode, 2);
  EXPECT_EQ(rig.V().m_meter.m_capture[3], 0x01);
}

TEST_F(ViewWaveform, BulkTransferEndsTheRunAndShowsTheCapture) {
  ReceiveCapture();
  CKeloView& view = rig.V();
  EXPECT_FALSE(rig.Line().open);
  EXPECT_EQ(view.m_stopped, 1);
  EXPECT_EQ(view.m_running, 0);
  EXPECT_EQ(view.m_acquiring, 0);
  EXPECT_EQ(view.m_unsaved, 1);
  EXPECT_TRUE(view.QueryCommand(cmd::kSave).enabled);
  EXPECT_TRUE(view.QueryCommand(cmd::kStart).enabled);
  EXPECT_EQ(view.m_displayMode, 2);
  EXPECT_EQ(view.m_waveformShown, 1);
  EXPECT_EQ(view.m_meter.m_lastFrame, " ");
  EXPECT_TRUE(rig.Lines().empty());
  for (int id = ctl::kValue; id <= ctl::kUnit2; ++id) {
    EXPECT_FALSE(rig.Hp().m_form.IsShown(id)) << id;
  }
  std::string expected = Capture();
  expected[66] = '\0';
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(view.m_waveform), 1024), expected);
  EXPECT_EQ(frame().Operations(), Picture(kCaptureDots));
}

// Every repaint is followed by one more drawing on the next tick while stopped, however many
// repaints came before it.
TEST_F(ViewWaveform, RepaintIsFollowedByOneDeferredRedraw) {
  ReceiveCapture();
  frame().Clear();
  rig.Tick();
  EXPECT_EQ(frame().Operations(), Picture(kCaptureDots));
  frame().Clear();
  rig.Tick(3);
  EXPECT_TRUE(frame().Operations().empty());

  rig.V().OnDraw();
  rig.V().OnDraw();
  EXPECT_EQ(frame().Operations().size(), 2 * Picture(kCaptureDots).size());
  frame().Clear();
  rig.Tick(3);
  EXPECT_EQ(frame().Operations(), Picture(kCaptureDots));
}

TEST_F(ViewWaveform, MarkerPatchFollowsTheSumOfBytes276To285) {
  CKeloView& view = rig.V();
  std::memset(view.m_waveform, 0, sizeof view.m_waveform);
  view.m_waveform[66] = 0xFF;
  view.m_waveform[276] = 0x80;
  view.m_waveform[277] = 0x80;  // the 8-bit sum is 0: no markers
  view.SetDisplayMode(2);
  view.DrawWaveform();
  EXPECT_EQ(view.m_waveform[66], 0);
  for (int i : {194, 195, 322, 450, 578, 706}) {
    EXPECT_EQ(view.m_waveform[i], 0) << i;
  }

  view.m_waveform[277] = 0;  // a single nonzero byte: markers at column 64 (and 65, row 8)
  frame().Clear();
  view.DrawWaveform();
  view.DrawWaveform();  // repeating the patch gives the same bytes
  const std::pair<int, int> markers[] = {{194, 0x01}, {195, 0x01}, {322, 0x02},
                                         {450, 0x08}, {578, 0x20}, {706, 0x80}};
  for (const auto& [index, bits] : markers) {
    EXPECT_EQ(view.m_waveform[index], bits) << index;
  }
  const std::vector<std::string> ops = frame().Operations();
  auto drawn = [&](const std::string& op) {
    return std::find(ops.begin(), ops.end(), op) != ops.end();
  };
  EXPECT_TRUE(drawn("rect 228 31 231 34"));    // (64, 8)
  EXPECT_TRUE(drawn("rect 231 31 234 34"));    // (65, 8)
  EXPECT_TRUE(drawn("rect 228 148 231 151"));  // (64, 47)
}

TEST_F(ViewWaveform, WaveformCommandDrawsOnlyInModeTwoAndModeSevenIsIdle) {
  CKeloView& view = rig.V();
  view.m_waveform[3] = 0x01;
  rig.Command(cmd::kViewText);
  EXPECT_EQ(view.m_displayMode, 1);
  frame().Clear();
  rig.Command(cmd::kViewWaveform);
  EXPECT_EQ(view.m_displayMode, 1);
  EXPECT_TRUE(frame().Operations().empty());

  // An unknown mode idles the view; the statics keep whether they were shown or hidden.
  view.SetDisplayMode(7);
  EXPECT_EQ(view.m_displayMode, 0);
  EXPECT_EQ(view.m_waveformShown, 0);
  EXPECT_TRUE(rig.Hp().m_form.IsShown(ctl::kValue));
  view.SetDisplayMode(2);
  view.SetDisplayMode(7);
  EXPECT_EQ(view.m_displayMode, 0);
  EXPECT_EQ(view.m_waveformShown, 0);
  for (int id = ctl::kValue; id <= ctl::kUnit2; ++id) {
    EXPECT_FALSE(rig.Hp().m_form.IsShown(id)) << id;
  }
  rig.Command(cmd::kViewWaveform);
  EXPECT_TRUE(frame().Operations().empty());
}

}  // namespace
}  // namespace volmograph::test
