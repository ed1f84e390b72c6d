// The reader's buffers under floods and misbehaving devices.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "LinkTestSupport.h"

namespace volmograph::test {
namespace {

// A line that always claims `announced` bytes and delivers `pattern` cyclically, keeping
// the capacity of every read it was asked for.
struct FloodLine {
  long announced = 100000;
  long delivered = -1;  // at most this many per read when not negative
  std::string pattern = "x";
  std::size_t position = 0;
  std::vector<std::size_t> capacities;
};

class FloodDevice : public SerialDevice {
 public:
  explicit FloodDevice(FloodLine& line) : m_line(line) {}
  bool Configure() override { return true; }
  void Purge() override {}
  long BytesWaiting() override { return m_line.announced; }
  long Read(std::uint8_t* buffer, std::size_t capacity) override {
    m_line.capacities.push_back(capacity);
    std::size_t count = capacity;
    if (m_line.delivered >= 0) {
      count = std::min(count, static_cast<std::size_t>(m_line.delivered));
    }
    for (std::size_t i = 0; i < count; ++i) {
      buffer[i] =
          static_cast<std::uint8_t>(m_line.pattern[m_line.position++ % m_line.pattern.size()]);
    }
    return static_cast<long>(count);
  }
  void DropDtr() override {}
  void Close() override {}
  std::string Name() const override { return "flood"; }

 private:
  FloodLine& m_line;
};

class FloodConnector : public SerialConnector {
 public:
  FloodLine line;
  std::unique_ptr<SerialDevice> OpenPort(const std::string&, std::string&) override {
    return std::make_unique<FloodDevice>(line);
  }
};

struct FloodMeter {
  FloodConnector connector;
  RecordingPrompter prompter;
  CComTR6400 meter{connector, prompter};
  FloodMeter() { meter.Open(1); }
};

TEST(LinkBounds, FloodWithoutStxNeverGrowsTheBuffer) {
  FloodMeter fixture;
  for (int call = 0; call < 50; ++call) {
    EXPECT_EQ(fixture.meter.Poll(), POLL_DONE);
    EXPECT_EQ(fixture.meter.m_accumLength, 0u);
  }
  for (std::size_t capacity : fixture.connector.line.capacities) {
    EXPECT_EQ(capacity, CComTR6400::kScratchSize);
  }
}

TEST(LinkBounds, ReadsNeverExceedTheRoomLeft) {
  FloodMeter fixture;
  CComTR6400& meter = fixture.meter;
  // A held bulk start that is still short of the threshold leaves less room than a scratch
  // buffer; the buffer state is set directly to reach the edges quickly.
  for (std::size_t held :
       {CComTR6400::kAccumSize - 10, CComTR6400::kAccumSize - 1, CComTR6400::kAccumSize}) {
    SCOPED_TRACE(held);
    fixture.connector.line.capacities.clear();
    meter.m_accum.fill('x');
    meter.m_accumLength = held;
    meter.Poll();
    ASSERT_EQ(fixture.connector.line.capacities.size(), 1u);
    const std::size_t room =
        held == CComTR6400::kAccumSize ? CComTR6400::kScratchSize : CComTR6400::kAccumSize - held;
    EXPECT_EQ(fixture.connector.line.capacities[0], room);
    EXPECT_LE(meter.m_accumLength, CComTR6400::kAccumSize);
  }
}

TEST(LinkBounds, FloodOfBulkMarkersCapturesAtMostTheCapture) {
  FloodMeter fixture;
  fixture.connector.line.pattern = std::string("\x02Z", 2);
  for (int call = 0; call < 20; ++call) {
    EXPECT_EQ(fixture.meter.Poll(), POLL_DONE);
    EXPECT_EQ(fixture.meter.m_accumLength, 0u);
    EXPECT_EQ(fixture.meter.m_lastFrame.size(), kFrameLength);
  }
}

TEST(LinkBounds, AReadShorterThanAnnouncedAppendsOnlyWhatCame) {
  FloodMeter fixture;
  FloodLine& line = fixture.connector.line;
  line.pattern = Frame('B');
  line.delivered = 0;
  EXPECT_EQ(fixture.meter.Poll(), POLL_NOTHING);
  EXPECT_EQ(fixture.meter.m_accumLength, 0u);
  line.delivered = 20;
  EXPECT_EQ(fixture.meter.Poll(), POLL_DONE);
  EXPECT_EQ(Held(fixture.meter), Frame('B').substr(0, 20));
}

}  // namespace
}  // namespace volmograph::test
