// The meter link through a serial server: a loopback listener plays the server.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>

#include "LinkTestSupport.h"
#include "link/PosixSerialConnector.h"
#include "link/TcpSerialPort.h"

namespace volmograph::test {
namespace {

using Clock = std::chrono::steady_clock;

// A bound loopback socket on a free port; listening only when asked.
int BoundSocket(bool listening, int& port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      (listening && ::listen(fd, 1) != 0) ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    return -1;
  }
  port = ntohs(address.sin_port);
  return fd;
}

class LinkTcp : public ::testing::Test {
 protected:
  void SetUp() override {
    int port = 0;
    m_listener = BoundSocket(true, port);
    ASSERT_GE(m_listener, 0);
    PortTable table;
    table.Set("TELNET", "127.0.0.1:" + std::to_string(port));
    m_connector = std::make_unique<PosixSerialConnector>(table);
    m_meter = std::make_unique<CComTR6400>(*m_connector, m_prompter);
  }

  void TearDown() override {
    m_meter.reset();
    for (int fd : {m_server, m_listener}) {
      if (fd >= 0) {
        ::close(fd);
      }
    }
  }

  void Accept() {
    pollfd entry{m_listener, POLLIN, 0};
    ASSERT_EQ(::poll(&entry, 1, 5000), 1);
    m_server = ::accept(m_listener, nullptr, nullptr);
    ASSERT_GE(m_server, 0);
  }

  int PollUntilAnswer() {
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    int result = POLL_NOTHING;
    while (result == POLL_NOTHING && Clock::now() < deadline) {
      result = m_meter->Poll();
      if (result == POLL_NOTHING) {
        ::poll(nullptr, 0, 2);
      }
    }
    return result;
  }

  int m_listener = -1;
  int m_server = -1;
  std::unique_ptr<PosixSerialConnector> m_connector;
  RecordingPrompter m_prompter;
  std::unique_ptr<CComTR6400> m_meter;
};

TEST_F(LinkTcp, FramesArriveAndTheServerClosingEndsTheRun) {
  ASSERT_EQ(m_meter->Open(5), 1);
  Accept();
  EXPECT_EQ(m_meter->Poll(), POLL_NOTHING);
  const std::string frame = Frame('K');
  ASSERT_EQ(::send(m_server, frame.data(), frame.size(), 0), 26);
  EXPECT_EQ(PollUntilAnswer(), POLL_DONE);
  EXPECT_EQ(m_meter->m_lastFrame, frame);

  ::close(m_server);
  m_server = -1;
  EXPECT_EQ(PollUntilAnswer(), POLL_GONE);
  EXPECT_EQ(m_meter->m_connected, 0);
  EXPECT_EQ(m_meter->m_hComm, nullptr);
}

TEST_F(LinkTcp, RefusedConnectionIsReported) {
  int port = 0;
  const int unused = BoundSocket(false, port);  // bound, never listening: connects are refused
  ASSERT_GE(unused, 0);
  m_connector->Table().Set("TELNET", "127.0.0.1:" + std::to_string(port));
  const auto started = Clock::now();
  EXPECT_EQ(m_meter->Open(6), 0);
  EXPECT_LT(Clock::now() - started, std::chrono::seconds(4));
  ASSERT_EQ(m_prompter.Messages().size(), 1u);
  EXPECT_EQ(m_prompter.Messages()[0].text, "Failed to Open ComPort");
  EXPECT_EQ(m_prompter.Messages()[0].detail,
            "Connection refused: 127.0.0.1:" + std::to_string(port));
  ::close(unused);
}

std::atomic<bool> g_nameServerAnswers{false};

// A name server that does not answer until the test lets it.
int StuckLookup(const char*, const char*, const addrinfo*, addrinfo** found) {
  while (!g_nameServerAnswers) {
    ::poll(nullptr, 0, 5);
  }
  *found = nullptr;
  return EAI_AGAIN;
}

TEST(LinkTcpLookup, AnUnansweredNameLookupIsGivenUpAtTheDeadline) {
  std::string reason;
  EXPECT_EQ(TcpSerialPort::Open("meter.invalid:4001", reason, StuckLookup), nullptr);
  // Open came back while the lookup was still waiting.
  EXPECT_EQ(reason, "Name lookup timed out: meter.invalid");
  g_nameServerAnswers = true;
}

}  // namespace
}  // namespace volmograph::test
