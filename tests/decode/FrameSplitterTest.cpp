#include "decode/FrameSplitter.h"

#include <gtest/gtest.h>

#include <string>

#include "decode/TestFrames.h"

namespace volmograph {
namespace {

using Kind = SplitEvent::Kind;

const std::string kFrameB = test::MakeFrame({.code = 'B'});
const std::string kFrameA = test::MakeFrame({.code = 'A'});

std::string Bulk(std::size_t length, char fill = 'x') {
  return "\x02Z" + std::string(length - 2, fill);
}

TEST(FrameSplitter, TakesEveryFrameAndDropsNoiseBeforeStx) {
  const std::string stream = "garbage" + kFrameB + kFrameA + "\x01\x03" + kFrameB;
  const auto events = SplitStream(stream);
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[0], (SplitRecord{Kind::Noise, 0, 7, ""}));
  EXPECT_EQ(events[1], (SplitRecord{Kind::Frame, 7, 26, kFrameB}));
  EXPECT_EQ(events[2], (SplitRecord{Kind::Frame, 33, 26, kFrameA}));
  EXPECT_EQ(events[3], (SplitRecord{Kind::Noise, 59, 2, ""}));
  EXPECT_EQ(events[4], (SplitRecord{Kind::Frame, 61, 26, kFrameB}));
}

TEST(FrameSplitter, ChunkBoundariesDoNotMatter) {
  const std::string stream = "\x7f\x02" + kFrameB.substr(0, 9) + kFrameA + Bulk(1000) + "\x02\x02" +
                             kFrameB + Bulk(1030, '\x02') + kFrameA + "tail\x02Z";
  const auto whole = SplitStream(stream);
  for (std::size_t chunk = 1; chunk <= 64; ++chunk) {
    ASSERT_EQ(SplitStream(stream, chunk), whole) << "chunk " << chunk;
  }
  ASSERT_EQ(SplitStream(stream, 997), whole);
}

TEST(FrameSplitter, AFrameCutShortGivesWayToTheNext) {
  // An STX among the 26 bytes: the frame was cut short on the line.
  const std::string stream = kFrameB.substr(0, 8) + kFrameA;
  const auto events = SplitStream(stream);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0], (SplitRecord{Kind::Noise, 0, 8, ""}));
  EXPECT_EQ(events[1], (SplitRecord{Kind::Frame, 8, 26, kFrameA}));
}

TEST(FrameSplitter, BulkTakesAThousandBytesThenRunsToTheNextStx) {
  std::string bulk = Bulk(1024);
  bulk[500] = '\x02';  // an STX inside the first 1000 bytes belongs to the transfer
  const auto events = SplitStream(bulk + kFrameB);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0], (SplitRecord{Kind::Bulk, 0, 1024, bulk}));
  EXPECT_EQ(events[1], (SplitRecord{Kind::Frame, 1024, 26, kFrameB}));

  const auto exact = SplitStream(Bulk(1000) + kFrameB);
  ASSERT_EQ(exact.size(), 2u);
  EXPECT_EQ(exact[0].length, 1000u);
  EXPECT_EQ(exact[1].kind, Kind::Frame);
}

TEST(FrameSplitter, BulkAfterNoiseAndAtTheEndOfTheStream) {
  const auto events = SplitStream("ab" + Bulk(1500));
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0], (SplitRecord{Kind::Noise, 0, 2, ""}));
  EXPECT_EQ(events[1].kind, Kind::Bulk);
  EXPECT_EQ(events[1].offset, 2u);
  EXPECT_EQ(events[1].length, 1500u);

  const auto cut = SplitStream(Bulk(999));
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_EQ(cut[0].kind, Kind::PartialBulk);
  EXPECT_EQ(cut[0].length, 999u);
}

TEST(FrameSplitter, CaptureIsBoundedWhileTheCountGoesOn) {
  const auto events = SplitStream(Bulk(5000) + kFrameA, 512);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].length, 5000u);
  EXPECT_EQ(events[0].bytes.size(), FrameSplitter::kCaptureLimit);
  EXPECT_EQ(events[0].bytes, Bulk(5000).substr(0, FrameSplitter::kCaptureLimit));
  EXPECT_EQ(events[1], (SplitRecord{Kind::Frame, 5000, 26, kFrameA}));
}

TEST(FrameSplitter, WhatTheEndOfTheStreamCutsShort) {
  const auto events = SplitStream(kFrameA + kFrameB.substr(0, 25));
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1], (SplitRecord{Kind::PartialFrame, 26, 25, kFrameB.substr(0, 25)}));

  EXPECT_EQ(SplitStream("\x02"), (std::vector<SplitRecord>{{Kind::PartialFrame, 0, 1, "\x02"}}));
  EXPECT_EQ(SplitStream("xyz"), (std::vector<SplitRecord>{{Kind::Noise, 0, 3, ""}}));
  EXPECT_TRUE(SplitStream("").empty());
}

TEST(FrameSplitter, FeedAfterFinishIsIgnored) {
  FrameSplitter splitter;
  splitter.Finish();
  splitter.Feed(kFrameA);
  SplitEvent event;
  EXPECT_FALSE(splitter.Next(event));
}

}  // namespace
}  // namespace volmograph
