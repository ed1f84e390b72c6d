// The meter link on a real tty: a pseudo-terminal whose master plays the meter.

#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "LinkTestSupport.h"
#include "link/PosixSerialConnector.h"
#include "support/TestFiles.h"

namespace volmograph::test {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(5);

class LinkPty : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[128] = {};
    ASSERT_EQ(::openpty(&m_master, &m_slave, name, nullptr, nullptr), 0);
    m_path = name;
    PortTable table;
    table.Set("COM1", m_path);
    DeviceRoots roots;
    roots.lock = m_lockFolder.Path().string();  // never the real /var/lock
    m_connector = std::make_unique<PosixSerialConnector>(table, roots);
    m_meter = std::make_unique<CComTR6400>(*m_connector, m_prompter);
  }

  void TearDown() override {
    m_meter.reset();
    CloseMaster();
    ::close(m_slave);
  }

  void CloseMaster() {
    if (m_master >= 0) {
      ::close(m_master);
      m_master = -1;
    }
  }

  void Send(const std::string& bytes) {
    ASSERT_EQ(::write(m_master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  // Bytes reach the slave asynchronously: wait until `count` are queued there.
  bool WaitQueued(int count) {
    const auto deadline = Clock::now() + kPatience;
    while (Clock::now() < deadline) {
      int queued = 0;
      if (::ioctl(m_slave, FIONREAD, &queued) == 0 && queued >= count) {
        return true;
      }
      pollfd entry{m_slave, POLLIN, 0};
      if (::poll(&entry, 1, 10) > 0 && (entry.revents & POLLIN) != 0) {
        ::poll(nullptr, 0, 1);  // some bytes are in; let the rest follow
      }
    }
    return false;
  }

  // Polls until the driver answers something other than POLL_NOTHING.
  int PollUntilAnswer() {
    const auto deadline = Clock::now() + kPatience;
    int result = POLL_NOTHING;
    while (result == POLL_NOTHING && Clock::now() < deadline) {
      result = m_meter->Poll();
      if (result == POLL_NOTHING) {
        pollfd entry{m_slave, POLLIN, 0};
        ::poll(&entry, 1, 10);
      }
    }
    return result;
  }

  TempFolder m_lockFolder;
  int m_master = -1;
  int m_slave = -1;
  std::string m_path;
  std::unique_ptr<PosixSerialConnector> m_connector;
  RecordingPrompter m_prompter;
  std::unique_ptr<CComTR6400> m_meter;
};

TEST_F(LinkPty, OpenSetsRaw9600EightNOne) {
  ASSERT_EQ(m_meter->Open(1), 1);
  EXPECT_EQ(m_meter->m_deviceName, m_path);
  termios line{};
  ASSERT_EQ(::tcgetattr(m_slave, &line), 0);
  EXPECT_EQ(::cfgetispeed(&line), static_cast<speed_t>(B9600));
  EXPECT_EQ(::cfgetospeed(&line), static_cast<speed_t>(B9600));
  EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB), 0u);
  EXPECT_EQ(line.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
  EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(line.c_iflag & (ICRNL | IXON | ISTRIP), 0u);
  EXPECT_EQ(line.c_cc[VMIN], 0);
  EXPECT_EQ(line.c_cc[VTIME], 0);
}

TEST_F(LinkPty, BytesFromTheMeterArriveAsFrames) {
  ASSERT_EQ(m_meter->Open(1), 1);
  EXPECT_EQ(m_meter->Poll(), POLL_NOTHING);
  // A CR, a NUL and the XON/XOFF characters pass unchanged on a raw line.
  std::string first = Frame('B');
  first.replace(3, 4, std::string("\r\0\x11\x13", 4));
  Send("\x11junk" + first);
  ASSERT_TRUE(WaitQueued(5 + 26));
  EXPECT_EQ(m_meter->Poll(), POLL_DONE);
  EXPECT_EQ(m_meter->m_lastFrame, first);

  Send(Frame('C') + Frame('D'));
  ASSERT_TRUE(WaitQueued(52));
  EXPECT_EQ(m_meter->Poll(), POLL_DONE);
  EXPECT_EQ(m_meter->m_lastFrame, Frame('C'));
  EXPECT_EQ(Held(*m_meter), Frame('D'));
}

TEST_F(LinkPty, SecondOpenOfTheSameDeviceIsRefused) {
  ASSERT_EQ(m_meter->Open(1), 1);
  RecordingPrompter prompter;
  CComTR6400 other(*m_connector, prompter);
  EXPECT_EQ(other.Open(1), 0);
  ASSERT_EQ(prompter.Messages().size(), 1u);
  EXPECT_EQ(prompter.Messages()[0].text, "Failed to Open ComPort");
  EXPECT_EQ(prompter.Messages()[0].detail,
            "Device or resource busy: " + m_path + " - in use by another window of this program");
  EXPECT_EQ(m_meter->m_connected, 1);
  // The refused open leaves the first one's lock file alone.
  const std::string lockName = "LCK.." + m_path.substr(m_path.rfind('/') + 1);
  EXPECT_EQ(m_lockFolder.Names(), std::vector<std::string>{lockName});

  // Without a usable lock folder, the device's own lock refuses it, with the same reason.
  PortTable table;
  table.Set("COM1", m_path);
  DeviceRoots noLocks;
  noLocks.lock = m_lockFolder.Path().string() + "/missing";
  PosixSerialConnector lockless(table, noLocks);
  CComTR6400 third(lockless, prompter);
  EXPECT_EQ(third.Open(1), 0);
  ASSERT_EQ(prompter.Messages().size(), 2u);
  EXPECT_EQ(prompter.Messages()[1].detail, prompter.Messages()[0].detail);
}

TEST_F(LinkPty, CloseToleratesMissingModemLinesAndReopens) {
  ASSERT_EQ(m_meter->Open(1), 1);
  EXPECT_EQ(m_meter->Close(), 1);  // the pty answers ENOTTY to the DTR drop
  EXPECT_EQ(m_meter->Close(), 1);
  EXPECT_EQ(m_meter->m_connected, 0);
  EXPECT_EQ(m_meter->m_hComm, nullptr);

  Send("stale bytes from before Start");
  ASSERT_TRUE(WaitQueued(10));
  ASSERT_EQ(m_meter->Open(1), 1);
  EXPECT_TRUE(m_prompter.Messages().empty());
  EXPECT_EQ(m_meter->Poll(), POLL_NOTHING);  // purged on open
  Send(Frame('E'));
  EXPECT_EQ(PollUntilAnswer(), POLL_DONE);
  EXPECT_EQ(m_meter->m_lastFrame, Frame('E'));
}

TEST_F(LinkPty, MeterVanishingClosesTheConnection) {
  ASSERT_EQ(m_meter->Open(1), 1);
  CloseMaster();
  EXPECT_EQ(PollUntilAnswer(), POLL_GONE);
  EXPECT_EQ(m_meter->m_connected, 0);
  EXPECT_EQ(m_meter->m_hComm, nullptr);
  EXPECT_EQ(m_meter->Poll(), POLL_NOTHING);
  EXPECT_EQ(m_meter->Close(), 1);
}

TEST_F(LinkPty, MeterVanishingWithBytesInFlightIsReported) {
  ASSERT_EQ(m_meter->Open(1), 1);
  Send(Frame('F') + Frame('G'));
  ASSERT_TRUE(WaitQueued(52));
  CloseMaster();
  // Whatever the hang-up left readable may still be taken; the loss ends with POLL_GONE.
  int result = POLL_DONE;
  const auto deadline = Clock::now() + kPatience;
  while (result != POLL_GONE && Clock::now() < deadline) {
    result = m_meter->Poll();
  }
  EXPECT_EQ(result, POLL_GONE);
  EXPECT_EQ(m_meter->m_connected, 0);
}

}  // namespace
}  // namespace volmograph::test
