#include "sim/PtyMeter.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <utility>
#include <vector>

namespace volmograph {
namespace {

// Small slices keep the stream close to a real line's without waking often enough to matter.
constexpr std::chrono::milliseconds kSlice{10};

std::string Reason(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

// Raw, 9600 baud, 8 data bits, no parity, one stop bit; reads return at once.
bool MakeRaw(int fd) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) {
    return false;
  }
  cfmakeraw(&tio);
  cfsetispeed(&tio, B9600);
  cfsetospeed(&tio, B9600);
  tio.c_cflag &= ~(CSTOPB | PARENB | CSIZE);
  tio.c_cflag |= CS8 | CLOCAL | CREAD;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  return tcsetattr(fd, TCSANOW, &tio) == 0;
}

}  // namespace

PtyMeter::PtyMeter(MeterSimulator simulator, std::string linkPath)
    : m_simulator(std::move(simulator)), m_linkPath(std::move(linkPath)) {}

PtyMeter::~PtyMeter() {
  Stop();
}

bool PtyMeter::Start(std::string& errorOut) {
  if (m_thread.joinable()) {
    errorOut = "the simulated meter is already running";
    return false;
  }
  int master = -1;
  int slave = -1;
  if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
    errorOut = Reason("cannot open a pseudo-terminal");
    return false;
  }
  char name[PATH_MAX] = {};
  const bool named = ttyname_r(slave, name, sizeof name) == 0;
  const bool raw = MakeRaw(slave);
  const int savedErrno = errno;
  // Nothing of ours keeps the slave open, so the master can tell when a reader is there.
  close(slave);
  if (!named || !raw) {
    errno = savedErrno;
    errorOut = Reason("cannot set up the pseudo-terminal");
    close(master);
    return false;
  }
  fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
  fcntl(master, F_SETFD, FD_CLOEXEC);
  m_master = master;
  m_slavePath = name;
  if (!MakeLink(errorOut)) {
    close(m_master);
    m_master = -1;
    return false;
  }
  m_stopRequested = false;
  m_finished.store(false);
  m_listening = false;
  m_thread = std::thread([this] { Run(); });
  return true;
}

void PtyMeter::Stop() {
  if (m_thread.joinable()) {
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_stopRequested = true;
    }
    m_wake.notify_all();
    m_thread.join();
  }
  if (m_master >= 0) {
    close(m_master);
    m_master = -1;
  }
  RemoveLink();
}

void PtyMeter::Run() {
  using Clock = std::chrono::steady_clock;
  std::vector<std::uint8_t> bytes;
  auto last = Clock::now();
  std::unique_lock<std::mutex> lock(m_mutex);
  while (!m_wake.wait_for(lock, kSlice, [this] { return m_stopRequested; })) {
    lock.unlock();
    const auto now = Clock::now();
    const double elapsed = std::chrono::duration<double>(now - last).count();
    last = now;
    if (m_waveformRequested.exchange(false)) {
      m_simulator.RequestWaveform();
    }
    bytes.clear();
    m_simulator.Produce(elapsed, bytes);
    DrainMaster();
    Deliver(bytes);
    if (m_simulator.Finished()) {
      m_finished.store(true);
    }
    lock.lock();
  }
}

bool PtyMeter::ListenerPresent() {
  pollfd p{m_master, POLLOUT, 0};
  if (poll(&p, 1, 0) < 0) {
    return m_listening;
  }
  return (p.revents & POLLHUP) == 0;
}

void PtyMeter::Deliver(const std::vector<std::uint8_t>& bytes) {
  const bool listening = ListenerPresent();
  if (m_listening && !listening) {
    EmptySlaveQueue();
  }
  m_listening = listening;
  std::size_t sent = 0;
  while (m_listening && sent < bytes.size()) {
    const ssize_t n = write(m_master, bytes.data() + sent, bytes.size() - sent);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      // EAGAIN: the reader's queue is full, so the rest is lost as on a real line.
      // EIO: the reader has gone; some systems say so here rather than with POLLHUP.
      if (n < 0 && errno == EIO) {
        m_listening = false;
        EmptySlaveQueue();
      }
      break;
    }
  }
  m_delivered.fetch_add(sent);
}

void PtyMeter::EmptySlaveQueue() {
  const int fd = open(m_slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return;
  }
  tcflush(fd, TCIOFLUSH);
  // The last reader may have changed the settings; the next one finds a fresh raw line.
  MakeRaw(fd);
  close(fd);
}

void PtyMeter::DrainMaster() {
  // The meter never listens; whatever a reader writes (or echoes) is discarded so it cannot
  // fill up and block the reader.
  std::uint8_t sink[256];
  while (read(m_master, sink, sizeof sink) > 0) {
  }
}

bool PtyMeter::MakeLink(std::string& errorOut) {
  m_linkMade = false;
  if (m_linkPath.empty()) {
    return true;
  }
  struct stat st {};
  if (lstat(m_linkPath.c_str(), &st) == 0) {
    if (!S_ISLNK(st.st_mode)) {
      errorOut = m_linkPath + " exists and is not a symbolic link; not replacing it";
      return false;
    }
    if (unlink(m_linkPath.c_str()) != 0) {
      errorOut = Reason("cannot replace " + m_linkPath);
      return false;
    }
  }
  if (symlink(m_slavePath.c_str(), m_linkPath.c_str()) != 0) {
    errorOut = Reason("cannot make the link " + m_linkPath);
    return false;
  }
  m_linkMade = true;
  return true;
}

void PtyMeter::RemoveLink() {
  if (!m_linkMade) {
    return;
  }
  m_linkMade = false;
  char target[PATH_MAX] = {};
  const ssize_t n = readlink(m_linkPath.c_str(), target, sizeof target - 1);
  // Someone may have pointed the link elsewhere meanwhile; that link is theirs.
  if (n > 0 && std::string(target, static_cast<std::size_t>(n)) == m_slavePath) {
    unlink(m_linkPath.c_str());
  }
}

}  // namespace volmograph
