#include "sim/MeterSimulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "FrameChecks.h"

namespace volmograph {
namespace {

using test::Number;
using test::OverByRule;
using test::SplitMessages;
using test::Text;

std::vector<std::uint8_t> LineBytes(MeterSimulator& sim, double seconds) {
  std::vector<std::uint8_t> out;
  sim.Produce(seconds, out);
  return out;
}

TEST(MeterSimulator, KeepsTheLinePaceOf960BytesASecond) {
  MeterSimulator sim(SimOptions{});
  const auto second = LineBytes(sim, 1.0);
  ASSERT_EQ(second.size(), 960u);
  const auto messages = SplitMessages(second);
  // 960 / 26 = 36.9: 36 whole frames, then the start of the 37th.
  ASSERT_EQ(messages.size(), 37u);
  for (std::size_t i = 0; i + 1 < messages.size(); ++i) {
    ASSERT_EQ(messages[i].size(), 26u);
    EXPECT_EQ(messages[i][0], 0x02);
    EXPECT_EQ(Text(messages[i], 1, 8), "B  1.500");
  }
  EXPECT_EQ(messages.back().size(), 960u - 36 * 26);

  // Slices shorter than a byte still add up: the fraction is carried over.
  MeterSimulator sliced(SimOptions{});
  std::vector<std::uint8_t> out;
  for (int i = 0; i < 1000; ++i) {
    sliced.Produce(0.001, out);
  }
  EXPECT_EQ(out, second);
  EXPECT_DOUBLE_EQ(sliced.LineSeconds(), 1.0);
  // Nothing for no time, or for nonsense.
  sliced.Produce(0.0, out);
  sliced.Produce(-1.0, out);
  EXPECT_EQ(out.size(), 960u);
}

TEST(MeterSimulator, SameSeedAndCallsGiveTheSameBytes) {
  SimOptions o;
  o.start.function = 'A';
  o.start.noise = 5.0;
  o.start.drift = 0.5;
  o.seed = 42;
  MeterSimulator a(o);
  MeterSimulator b(o);
  std::vector<std::uint8_t> outA;
  std::vector<std::uint8_t> outB;
  a.Produce(3.0, outA);
  for (int i = 0; i < 30; ++i) {
    b.Produce(0.1, outB);
  }
  EXPECT_EQ(outA, outB);

  o.seed = 43;
  MeterSimulator c(o);
  EXPECT_NE(LineBytes(c, 3.0), outA);

  // The noise stays within its bounds around the drifting centre.
  const auto messages = SplitMessages(outA);
  for (std::size_t i = 0; i + 1 < messages.size(); ++i) {
    const double t = i * 26.0 / 960.0;
    const double v = Number(Text(messages[i], 3, 6));
    EXPECT_NEAR(v, 230.0 + 0.5 * t, 5.05) << i;
  }
}

TEST(MeterSimulator, DriftMovesTheReadingAndAutoRangeFollows) {
  SimOptions o;
  o.start.function = 'B';
  o.start.value = 3.9;
  o.start.drift = 0.1;
  MeterSimulator sim(o);
  const auto messages = SplitMessages(LineBytes(sim, 3.0));
  EXPECT_EQ(Text(messages.front(), 3, 6), " 3.900");
  // 3.998 V still fits the 4 V range; later frames move to the 40 V range.
  EXPECT_EQ(Text(messages[messages.size() - 2], 3, 6), "  4.20");
  for (const auto& m : messages) {
    EXPECT_FALSE(OverByRule('B', Text(m, 3, 6)));
  }

  // In a fixed range the same drift ends over range.
  o.start.range = 0;
  MeterSimulator fixed(o);
  const auto overs = SplitMessages(LineBytes(fixed, 3.0));
  EXPECT_EQ(Text(overs[messages.size() - 2], 3, 6), " 9.999");
  EXPECT_TRUE(OverByRule('B', Text(overs[messages.size() - 2], 3, 6)));
}

TEST(MeterSimulator, ScheduledSwitchesTakeEffectAtTheirTime) {
  SimOptions o;
  o.start.function = 'A';
  o.schedule = {{2.0, 'E', std::nullopt, std::nullopt, std::nullopt},
                {1.0, std::nullopt, 0, std::nullopt, std::nullopt},  // out of order on purpose
                {3.0, std::nullopt, std::nullopt, true, std::nullopt},
                {4.0, 'B', 1, false, 2.5}};
  ASSERT_EQ(MeterSimulator::Validate(o), "");
  MeterSimulator sim(o);
  const auto messages = SplitMessages(LineBytes(sim, 5.0));
  for (std::size_t i = 0; i < messages.size(); ++i) {
    const double t = i * 26.0 / 960.0;  // the line time of the frame's first byte
    const auto& m = messages[i];
    SCOPED_TRACE(t);
    if (t < 1.0) {
      EXPECT_EQ(Text(m, 1, 8), "AA 230.0");
    } else if (t < 2.0) {
      EXPECT_EQ(Text(m, 1, 8), "AA 9.999");  // 230 V in the 4 V range
    } else if (t < 3.0) {
      EXPECT_EQ(Text(m, 1, 12), "E   4.70KOhm");
    } else if (t < 4.0) {
      EXPECT_EQ(Text(m, 1, 8), "E  99.99");
      EXPECT_TRUE(OverByRule('E', Text(m, 3, 6)));
    } else if (m.size() == 26) {
      EXPECT_EQ(Text(m, 1, 8), "B   2.50");
    }
  }
}

TEST(MeterSimulator, SendsWaveformCapturesWhenDueAndOnRequest) {
  SimOptions o;
  o.waveformAfter = 1.0;
  MeterSimulator sim(o);
  auto stream = LineBytes(sim, 2.5);  // ends inside the frame after the first capture
  sim.RequestWaveform();
  sim.RequestWaveform();  // a second request before it is sent asks for nothing more
  const std::size_t requestedAt = stream.size();
  sim.Produce(2.5, stream);

  std::vector<std::size_t> starts;
  std::size_t pos = 0;
  for (const auto& m : SplitMessages(stream)) {
    if (m[1] == 'Z') {
      starts.push_back(pos);
      const WaveformCapture expected = BuildWaveformCapture();
      ASSERT_EQ(m.size(), kWaveformCaptureLength);
      EXPECT_TRUE(std::equal(m.begin(), m.end(), expected.begin()));
    } else {
      EXPECT_EQ(m[1], 'B');
    }
    pos += m.size();
  }
  ASSERT_EQ(starts.size(), 2u);
  // The first message that starts at or after one second: frame 37 at byte 962.
  EXPECT_EQ(starts[0], 37u * 26u);
  // The request takes effect once the frame in progress is complete.
  EXPECT_GE(starts[1], requestedAt);
  EXPECT_LT(starts[1], requestedAt + 26);
}

TEST(MeterSimulator, ReplayPlaysACapturedStreamAtLinePace) {
  std::vector<std::uint8_t> captured(2000);
  for (std::size_t i = 0; i < captured.size(); ++i) {
    captured[i] = static_cast<std::uint8_t>(i * 7);
  }
  const std::string path = std::string(VOLMOGRAPH_BINARY_DIR) + "/sim_replay_test.bin";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(captured.data()), captured.size());
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> loaded{std::istreambuf_iterator<char>(in), {}};
  std::remove(path.c_str());

  MeterSimulator once = MeterSimulator::Replay(loaded);
  auto out = LineBytes(once, 1.0);
  EXPECT_EQ(out.size(), 960u);
  EXPECT_FALSE(once.Finished());
  once.Produce(5.0, out);
  EXPECT_EQ(out, captured);
  EXPECT_TRUE(once.Finished());
  once.RequestWaveform();
  once.Produce(1.0, out);
  EXPECT_EQ(out.size(), captured.size());

  MeterSimulator looped = MeterSimulator::Replay(loaded, true);
  out = LineBytes(looped, 5.0);
  ASSERT_EQ(out.size(), 4800u);
  EXPECT_FALSE(looped.Finished());
  EXPECT_TRUE(std::equal(captured.begin(), captured.end(), out.begin() + 2000));

  MeterSimulator empty = MeterSimulator::Replay({}, true);
  EXPECT_TRUE(LineBytes(empty, 1.0).empty());
  EXPECT_TRUE(empty.Finished());
}

TEST(MeterSimulator, ValidateNamesTheBadOption) {
  SimOptions o;
  EXPECT_EQ(MeterSimulator::Validate(o), "");
  o.start.function = 'Z';
  EXPECT_NE(MeterSimulator::Validate(o).find("unknown function"), std::string::npos);
  o.start.function = 'B';
  o.start.range = 4;
  EXPECT_NE(MeterSimulator::Validate(o).find("range 4"), std::string::npos);
  o.start.range = kAutoRange;
  // The range of a switch is checked against the function in force at that time.
  o.schedule = {{1.0, 'G', std::nullopt, std::nullopt, std::nullopt},
                {2.0, std::nullopt, 2, std::nullopt, std::nullopt}};
  EXPECT_NE(MeterSimulator::Validate(o).find("function G"), std::string::npos);
  o.schedule.clear();
  o.start.noise = -1;
  EXPECT_NE(MeterSimulator::Validate(o), "");

  // The constructor falls back to something playable instead of failing.
  o.start.function = 'Z';
  o.start.range = 9;
  o.start.noise = 0;
  MeterSimulator sim(o);
  EXPECT_EQ(Text(LineBytes(sim, 0.1), 1, 8), "B  1.500");
}

}  // namespace
}  // namespace volmograph
