// The frame reader on a scripted line: alignment, cutting, pacing and bulk transfers.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "LinkTestSupport.h"

namespace volmograph::test {
namespace {

constexpr int kReload = 4;

struct Step {
  std::string feed;  // bytes that arrive before the call
  int ticksLeft;     // countdown as the view leaves it before the call
  int result;
  std::string frame;  // m_lastFrame after the call
  int due;            // m_sampleDue after the call (cleared before it)
  std::string held;   // accumulation buffer after the call
  std::optional<int> ticksAfter = std::nullopt;
};

struct Case {
  const char* name;
  std::vector<Step> steps;
};

const std::string A = Frame('A');
const std::string B = Frame('B', "-0.001");
const std::string C = Frame('C', "  OL  ");
const std::string kBulk = Bulk(1100);
// A picture byte pair that looks like the start of another transfer.
const std::string kBulkWithMarker = [] {
  std::string bulk = Bulk(1050, 9);
  bulk[10] = static_cast<char>(kStx);
  bulk[11] = 'Z';
  return bulk;
}();

void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

std::vector<Case> Cases() {
  return {
      {"NoByteWaitingLeavesEverything",
       {{"", 0, POLL_NOTHING, "", 0, ""}, {A.substr(0, 5), 0, POLL_DONE, "", 1, A.substr(0, 5)}}},
      {"StreamStartingMidFrameDropsTheFragment",
       {{B.substr(10) + C, 0, POLL_DONE, C, 1, "", kReload}}},
      {"NoiseBetweenFramesIsDropped",
       {{"\x7f\x13noise" + A + "\xff" + B.substr(0, 3), 0, POLL_DONE, A, 1,
         "\xff" + B.substr(0, 3)},
        {B.substr(3), 1, POLL_DONE, B, 0, ""}}},
      {"TwentySixLeftAfterACutStay",
       {{A + B, 0, POLL_DONE, A, 1, B},
        {C, 1, POLL_DONE, B, 0, C},
        {"", 0, POLL_NOTHING, B, 0, C}}},
      {"TwentySevenLeftAfterACutAreDiscarded",
       {{A + B + "x", 0, POLL_DONE, A, 1, ""}, {C, 0, POLL_DONE, C, 1, ""}}},
      {"AnStxLeftLastAfterACutIsKeptForItsBulkTransfer",
       {{A + B + "\x02", 0, POLL_DONE, A, 1, "\x02"},
        {kBulk.substr(1), 0, POLL_DONE, kBulk.substr(0, 26), 1, "", kReload}}},
      // An STX inside the 26 bytes about to be cut marks a frame cut short on the line: the
      // frame at that STX is the one taken, and a bulk transfer there is recognised.
      {"FramesCutShortGiveWayToTheFrameAfterThem",
       {{B.substr(0, 9) + C.substr(0, 20) + A, 1, POLL_DONE, A, 0, ""},
        {B.substr(0, 9) + C.substr(0, 20), 0, POLL_DONE, A, 1, C.substr(0, 20), kReload},
        {C.substr(20), 1, POLL_DONE, C, 0, ""}}},
      {"BulkAfterFramesCutShortIsRecognised",
       {{B.substr(0, 9) + A.substr(0, 20) + kBulk.substr(0, 40), 1, POLL_NOTHING, "", 0,
         kBulk.substr(0, 40)},
        {kBulk.substr(40), 1, POLL_DONE, kBulk.substr(0, 26), 1, ""}}},
      {"CountdownGatesTheDueReading",
       {{A, 3, POLL_DONE, A, 0, "", 3},
        {B, 0, POLL_DONE, B, 1, "", kReload},
        {C, -7, POLL_DONE, C, 1, "", kReload}}},
      {"PartialFrameWithExpiredCountdownRecordsThePreviousFrame",
       {{A + B.substr(0, 10), 2, POLL_DONE, A, 0, B.substr(0, 10), 2},
        {B.substr(10, 5), 0, POLL_DONE, A, 1, B.substr(0, 15), kReload},
        {B.substr(15), 0, POLL_DONE, B, 1, ""}}},
      {"NoiseAloneWithExpiredCountdownIsDue", {{"abc\r\n", 0, POLL_DONE, "", 1, ""}}},
      // Only STX then 'Z' starts a bulk transfer; a 'Z' second in noise is no capture, in an
      // empty buffer or left after a cut.
      {"ZAfterAnyByteButStxIsNoise",
       {{"xZ" + std::string(1200, 'x'), 1, POLL_DONE, "", 0, ""},
        {A + "xZ", 0, POLL_DONE, A, 1, "xZ"},
        {B, 1, POLL_DONE, B, 0, ""}}},
      {"BulkTransferInPiecesIsDueWhateverTheCountdown",
       {{kBulk.substr(0, 400), 5, POLL_NOTHING, "", 0, kBulk.substr(0, 400), 5},
        {kBulk.substr(400, 400), 5, POLL_NOTHING, "", 0, kBulk.substr(0, 800)},
        {kBulk.substr(800), 5, POLL_DONE, kBulk.substr(0, 26), 1, "", kReload},
        {A, 1, POLL_DONE, A, 0, ""}}},
      {"BulkIsCollectedWithoutRealigningOnItsOwnBytes",
       {{kBulkWithMarker.substr(0, 600), 1, POLL_NOTHING, "", 0, kBulkWithMarker.substr(0, 600)},
        {kBulkWithMarker.substr(600), 1, POLL_DONE, kBulkWithMarker.substr(0, 26), 1, ""}}},
      {"BulkStartingWhileAPartialFrameIsHeldDropsIt",
       {{A + B.substr(0, 10), 1, POLL_DONE, A, 0, B.substr(0, 10)},
        {kBulk.substr(0, 500), 1, POLL_NOTHING, A, 0, kBulk.substr(0, 500)},
        {kBulk.substr(500), 1, POLL_DONE, kBulk.substr(0, 26), 1, ""}}},
      {"BulkStartingAfterAFragmentWithoutStx",
       {{C + B.substr(5), 1, POLL_DONE, C, 0, B.substr(5)},
        {kBulk.substr(0, 300), 1, POLL_NOTHING, C, 0, kBulk.substr(0, 300)},
        {kBulk.substr(300), 1, POLL_DONE, kBulk.substr(0, 26), 1, ""}}},
      // At 9600 baud a tick holds ~48 bytes: the end of the last frame and the start of
      // the transfer come in one read. The transfer must survive the discard of stale bytes.
      {"BulkFollowingTheLastFrameInOneReadIsKept",
       {{A.substr(0, 20), 1, POLL_DONE, "", 0, A.substr(0, 20)},
        {A.substr(20) + B + kBulk.substr(0, 40), 1, POLL_DONE, A, 0, kBulk.substr(0, 40)},
        {kBulk.substr(40), 1, POLL_DONE, kBulk.substr(0, 26), 1, ""}}},
  };
}

class LinkPollSteps : public ::testing::TestWithParam<Case> {};

TEST_P(LinkPollSteps, FollowsTheStream) {
  ScriptedMeter fixture;
  CComTR6400& meter = fixture.meter;
  meter.m_reloadTicks = kReload;
  int index = 0;
  for (const Step& step : GetParam().steps) {
    SCOPED_TRACE("step " + std::to_string(index++));
    fixture.line->Feed(step.feed);
    meter.m_ticksLeft = step.ticksLeft;
    meter.m_sampleDue = 0;
    EXPECT_EQ(meter.Poll(), step.result);
    EXPECT_EQ(meter.m_lastFrame, step.frame);
    EXPECT_EQ(meter.m_sampleDue, step.due);
    EXPECT_EQ(Held(meter), step.held);
    if (step.ticksAfter) {
      EXPECT_EQ(meter.m_ticksLeft, *step.ticksAfter);
    }
    EXPECT_TRUE(fixture.line->waiting.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Reader, LinkPollSteps, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LinkPoll, NoPortChosenReadsNothing) {
  ScriptedMeter fixture;
  fixture.meter.m_portIndex = -1;
  fixture.line->Feed(A);
  EXPECT_EQ(fixture.meter.Poll(), POLL_NO_PORT);
  EXPECT_EQ(fixture.line->waiting.size(), A.size());
  EXPECT_EQ(fixture.meter.m_accumLength, 0u);
}

TEST(LinkPoll, NoByteWaitingKeepsAPendingDueReading) {
  ScriptedMeter fixture;
  fixture.meter.m_sampleDue = 1;
  fixture.meter.m_ticksLeft = -3;
  EXPECT_EQ(fixture.meter.Poll(), POLL_NOTHING);
  EXPECT_EQ(fixture.meter.m_sampleDue, 1);
  EXPECT_EQ(fixture.meter.m_ticksLeft, -3);
}

TEST(LinkPoll, BulkLongerThanTheCaptureKeepsItsFirstBytes) {
  ScriptedMeter fixture;
  CComTR6400& meter = fixture.meter;
  const std::string bulk = Bulk(2600);
  fixture.line->Feed(bulk);
  EXPECT_EQ(meter.Poll(), POLL_DONE);  // one read of the 2048-byte scratch buffer
  EXPECT_EQ(Capture(meter, CComTR6400::kCaptureSize), bulk.substr(0, CComTR6400::kCaptureSize));
  EXPECT_EQ(meter.m_lastFrame, bulk.substr(0, kFrameLength));
  EXPECT_EQ(meter.m_accumLength, 0u);
  EXPECT_EQ(fixture.line->waiting.size(), bulk.size() - CComTR6400::kScratchSize);
}

TEST(LinkPoll, ANewCaptureClearsWhatAnOlderLongerOneLeft) {
  ScriptedMeter fixture;
  CComTR6400& meter = fixture.meter;
  fixture.line->Feed(Bulk(1900, 1));
  ASSERT_EQ(meter.Poll(), POLL_DONE);
  const std::string second = Bulk(1000, 2);
  fixture.line->Feed(second);
  ASSERT_EQ(meter.Poll(), POLL_DONE);
  EXPECT_EQ(Capture(meter, second.size()), second);
  EXPECT_EQ(Capture(meter, CComTR6400::kCaptureSize).substr(second.size()),
            std::string(CComTR6400::kCaptureSize - second.size(), '\0'));
}

TEST(LinkPoll, TwoDriversNeverMixTheirStreams) {
  ScriptedMeter first;
  ScriptedMeter second;
  first.line->Feed(A.substr(0, 13));
  second.line->Feed(B);
  EXPECT_EQ(first.meter.Poll(), POLL_DONE);
  EXPECT_EQ(second.meter.Poll(), POLL_DONE);
  EXPECT_EQ(second.meter.m_lastFrame, B);
  first.line->Feed(A.substr(13));
  second.line->Feed(C.substr(0, 13));
  EXPECT_EQ(first.meter.Poll(), POLL_DONE);
  EXPECT_EQ(second.meter.Poll(), POLL_DONE);
  EXPECT_EQ(first.meter.m_lastFrame, A);
  EXPECT_EQ(second.meter.m_lastFrame, B);
  EXPECT_EQ(Held(second.meter), C.substr(0, 13));
}

TEST(LinkPoll, VanishedDeviceClosesTheConnection) {
  ScriptedMeter fixture;
  CComTR6400& meter = fixture.meter;
  fixture.line->Feed(A);
  fixture.line->gone = true;
  EXPECT_EQ(meter.Poll(), POLL_GONE);
  EXPECT_EQ(meter.m_connected, 0);
  EXPECT_EQ(meter.m_hComm, nullptr);
  EXPECT_FALSE(fixture.line->open);
  EXPECT_EQ(fixture.line->closes, 1);
  // The view may call once more before it ends the run: nothing is read, nothing breaks.
  EXPECT_EQ(meter.Poll(), POLL_NOTHING);
  EXPECT_EQ(meter.Close(), 1);
  EXPECT_EQ(fixture.line->closes, 1);
}

// A 9600-baud meter replayed at 48 bytes per 50 ms tick: frames, then a waveform, then
// frames again, at every alignment of the stream against the ticks. Every frame handed on
// is one the meter sent, and the waveform is captured.
TEST(LinkPoll, ReplayAtLineSpeedCapturesTheWaveformAtEveryAlignment) {
  const std::vector<std::string> frames = {A, B, C};
  const std::string bulk = Bulk(1024, 3);
  for (std::size_t shift = 0; shift < 48; ++shift) {
    SCOPED_TRACE("shift " + std::to_string(shift));
    std::string stream = std::string(shift, '#');
    for (int i = 0; i < 12; ++i) {
      stream += frames[i % 3];
    }
    stream += bulk;
    for (int i = 0; i < 6; ++i) {
      stream += frames[i % 3];
    }
    ScriptedMeter fixture;
    CComTR6400& meter = fixture.meter;
    meter.m_reloadTicks = 2;
    int captures = 0;
    for (std::size_t at = 0; at < stream.size(); at += 48) {
      fixture.line->Feed(stream.substr(at, 48));
      --meter.m_ticksLeft;
      const int result = meter.Poll();
      ASSERT_NE(result, POLL_GONE);
      if (result == POLL_DONE && meter.m_lastFrame.size() > 1 && meter.m_lastFrame[1] == 'Z') {
        ++captures;
        // The capture is taken once 1000 bytes are held, whatever the tick brought.
        EXPECT_EQ(Capture(meter, kBulkThreshold), bulk.substr(0, kBulkThreshold));
        break;  // the view closes the port after a capture
      }
      if (result == POLL_DONE && !meter.m_lastFrame.empty()) {
        EXPECT_TRUE(meter.m_lastFrame == A || meter.m_lastFrame == B || meter.m_lastFrame == C)
            << "mixed frame at byte " << at;
      }
      meter.m_sampleDue = 0;
    }
    EXPECT_EQ(captures, 1);
  }
}

}  // namespace
}  // namespace volmograph::test
