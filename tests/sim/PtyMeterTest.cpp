#include "sim/PtyMeter.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "FrameChecks.h"

namespace volmograph {
namespace {

using Clock = std::chrono::steady_clock;

int OpenSlave(const std::string& path) {
  return open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
}

// Reads until `want` bytes have arrived or the deadline passes.
std::vector<std::uint8_t> ReadFor(int fd, std::size_t want, std::chrono::milliseconds deadline) {
  std::vector<std::uint8_t> got;
  const auto end = Clock::now() + deadline;
  while (got.size() < want && Clock::now() < end) {
    pollfd p{fd, POLLIN, 0};
    const int left = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count());
    if (poll(&p, 1, std::max(left, 0)) <= 0 || !(p.revents & POLLIN)) {
      break;
    }
    std::uint8_t buffer[512];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) {
      break;
    }
    got.insert(got.end(), buffer, buffer + n);
  }
  return got;
}

// The frames in a stream read from the middle: resynchronised on the first STX.
std::vector<std::vector<std::uint8_t>> FramesFrom(const std::vector<std::uint8_t>& bytes) {
  const auto stx = std::find(bytes.begin(), bytes.end(), 0x02);
  return test::SplitMessages({stx, bytes.end()});
}

TEST(PtyMeter, ReaderOfTheSlaveGetsFramesAtLinePace) {
  SimOptions o;
  o.start.function = 'A';
  PtyMeter meter{MeterSimulator(o)};
  std::string error;
  ASSERT_TRUE(meter.Start(error)) << error;
  ASSERT_FALSE(meter.SlavePath().empty());
  const int fd = OpenSlave(meter.SlavePath());
  ASSERT_GE(fd, 0);
  const auto start = Clock::now();
  const auto bytes = ReadFor(fd, 300, std::chrono::seconds(5));
  const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  ASSERT_GE(bytes.size(), 300u);
  // Not faster than the line: 300 bytes take about 0.31 s.
  EXPECT_GE(elapsed, 0.2);
  const auto frames = FramesFrom(bytes);
  ASSERT_GE(frames.size(), 3u);
  for (std::size_t i = 0; i + 1 < frames.size(); ++i) {
    EXPECT_EQ(test::Text(frames[i], 0, 9),
              "\x02"
              "AA 230.0");
  }
  close(fd);
  meter.Stop();
  // Counted once the writer has finished, so every byte read is in the count.
  EXPECT_GE(meter.BytesDelivered(), bytes.size());
}

TEST(PtyMeter, WaveformRequestArrivesAsABulkTransfer) {
  PtyMeter meter{MeterSimulator(SimOptions{})};
  std::string error;
  ASSERT_TRUE(meter.Start(error)) << error;
  const int fd = OpenSlave(meter.SlavePath());
  ASSERT_GE(fd, 0);
  ReadFor(fd, 60, std::chrono::seconds(5));
  meter.RequestWaveform();
  const auto bytes = ReadFor(fd, 1200, std::chrono::seconds(5));
  const auto capture =
      std::search(bytes.begin(), bytes.end(), std::begin("\x02Z"), std::begin("\x02Z") + 2);
  ASSERT_NE(capture, bytes.end());
  ASSERT_GE(bytes.end() - capture, 1024);
  const WaveformCapture expected = BuildWaveformCapture();
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), capture));
  close(fd);
}

TEST(PtyMeter, StopEndsTheLineAndTheDestructorStops) {
  PtyMeter meter{MeterSimulator(SimOptions{})};
  std::string error;
  ASSERT_TRUE(meter.Start(error)) << error;
  std::string again;
  EXPECT_FALSE(meter.Start(again));
  EXPECT_FALSE(again.empty());
  const int fd = OpenSlave(meter.SlavePath());
  ASSERT_GE(fd, 0);
  ASSERT_FALSE(ReadFor(fd, 30, std::chrono::seconds(5)).empty());
  meter.Stop();
  meter.Stop();  // twice is harmless
  // The reader sees the line hang up rather than waiting for ever.
  pollfd p{fd, POLLIN, 0};
  ASSERT_EQ(poll(&p, 1, 5000), 1);
  EXPECT_TRUE(p.revents & (POLLHUP | POLLERR));
  close(fd);

  // Destroyed while running: the thread is joined and the link removed.
  const std::string link = std::string(VOLMOGRAPH_BINARY_DIR) + "/sim_pty_destructor_link";
  unlink(link.c_str());
  {
    PtyMeter running{MeterSimulator(SimOptions{}), link};
    ASSERT_TRUE(running.Start(error)) << error;
    struct stat st {};
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
  }
  struct stat st {};
  EXPECT_NE(lstat(link.c_str(), &st), 0);
}

TEST(PtyMeter, LinkReplacesOnlyASymbolicLink) {
  const std::string link = std::string(VOLMOGRAPH_BINARY_DIR) + "/sim_pty_link";
  unlink(link.c_str());
  ASSERT_EQ(symlink("/nonexistent", link.c_str()), 0);
  PtyMeter meter{MeterSimulator(SimOptions{}), link};
  std::string error;
  ASSERT_TRUE(meter.Start(error)) << error;
  char target[256] = {};
  ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
  EXPECT_EQ(std::string(target), meter.SlavePath());
  // The link works as a device name.
  const int fd = OpenSlave(link);
  ASSERT_GE(fd, 0);
  EXPECT_FALSE(ReadFor(fd, 30, std::chrono::seconds(5)).empty());
  close(fd);
  meter.Stop();
  struct stat st {};
  EXPECT_NE(lstat(link.c_str(), &st), 0);

  // A regular file is someone's data: left alone, and Start fails.
  std::ofstream(link) << "keep me";
  PtyMeter refused{MeterSimulator(SimOptions{}), link};
  EXPECT_FALSE(refused.Start(error));
  EXPECT_NE(error.find("not a symbolic link"), std::string::npos);
  std::string content;
  std::getline(std::ifstream(link), content);
  EXPECT_EQ(content, "keep me");
  unlink(link.c_str());
}

TEST(PtyMeter, ReopenedSlaveGetsFreshBytesOnly) {
  PtyMeter meter{MeterSimulator(SimOptions{})};
  std::string error;
  ASSERT_TRUE(meter.Start(error)) << error;
  // A reader that opens, reads nothing for a while and goes away leaves bytes behind.
  int fd = OpenSlave(meter.SlavePath());
  ASSERT_GE(fd, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  close(fd);
  // Nobody listens for a while: the meter goes on, but nothing piles up.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const std::uint64_t deliveredWhileClosed = meter.BytesDelivered();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(meter.BytesDelivered(), deliveredWhileClosed);

  const auto opened = Clock::now();
  fd = OpenSlave(meter.SlavePath());
  ASSERT_GE(fd, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  const auto bytes = ReadFor(fd, 100000, std::chrono::milliseconds(50));
  const double since = std::chrono::duration<double>(Clock::now() - opened).count();
  // At most what the line carried since the open (plus a slice of slack); the ~380 bytes
  // the first reader left behind are gone.
  EXPECT_LE(bytes.size(), since * kLineBytesPerSecond + 30);
  EXPECT_FALSE(bytes.empty());
  close(fd);
}

TEST(PtyMeter, ReplayFinishes) {
  const MeterFrameBytes frame = BuildMeterFrame(FrameRequest{});
  // Built whole rather than grown: GCC 12 misreads a growing insert at -O2 as an overflow.
  std::vector<std::uint8_t> stream(4 * frame.size());
  for (std::size_t i = 0; i < stream.size(); ++i) {
    stream[i] = frame[i % frame.size()];
  }
  PtyMeter meter{MeterSimulator::Replay(stream)};
  std::string error;
  ASSERT_TRUE(meter.Start(error)) << error;
  const int fd = OpenSlave(meter.SlavePath());
  ASSERT_GE(fd, 0);
  const auto deadline = Clock::now() + std::chrono::seconds(5);
  while (!meter.Finished() && Clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(meter.Finished());
  close(fd);
}

}  // namespace
}  // namespace volmograph
