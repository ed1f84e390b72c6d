#include "link/TcpSerialPort.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace volmograph {

namespace {

using Clock = std::chrono::steady_clock;
using AddressList = std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)>;

constexpr int kLookupTimedOut = 1;  // apart from success and every EAI_* code (negative)

// What Open and its lookup thread share. Whichever lets go last frees it, so a lookup still
// waiting on a dead name server when Open gives up ends on its own, later.
struct PendingLookup {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  int status = EAI_FAIL;
  addrinfo* found = nullptr;
  ~PendingLookup() {
    if (found != nullptr) {
      ::freeaddrinfo(found);
    }
  }
};

void RunLookup(TcpSerialPort::NameLookup lookup, const std::string& host, const std::string& port,
               PendingLookup& pending) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const int status = lookup(host.c_str(), port.c_str(), &hints, &found);
  const std::lock_guard<std::mutex> lock(pending.mutex);
  pending.status = status;
  pending.found = found;
  pending.done = true;
  pending.finished.notify_all();
}

// A name lookup can wait half a minute on a name server that does not answer, and Start
// runs on the user-interface thread: the lookup runs on a thread of its own and is given up
// at `deadline`. Returns 0, an EAI_* code, or kLookupTimedOut.
int ResolveBefore(TcpSerialPort::NameLookup lookup, const std::string& host,
                  const std::string& port, Clock::time_point deadline, AddressList& addresses) {
  auto pending = std::make_shared<PendingLookup>();
  try {
    std::thread([pending, lookup, host, port] {
      RunLookup(lookup, host, port, *pending);
    }).detach();
  } catch (const std::system_error&) {
    RunLookup(lookup, host, port, *pending);  // no thread to spare: wait for it here
  }
  std::unique_lock<std::mutex> lock(pending->mutex);
  if (!pending->finished.wait_until(lock, deadline, [&] { return pending->done; })) {
    return kLookupTimedOut;
  }
  addresses.reset(std::exchange(pending->found, nullptr));
  return pending->status;
}

std::string ConnectFailure(int error, const std::string& address) {
  if (error == ETIMEDOUT) {
    return "Connection timed out: " + address;
  }
  return std::string(std::strerror(error)) + ": " + address;
}

// Connects a non-blocking socket within `timeoutMs`; the socket on success, else -1 with
// the error in `error`.
int ConnectWithin(const addrinfo& target, int timeoutMs, int& error) {
  const int fd = ::socket(target.ai_family, target.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                          target.ai_protocol);
  if (fd < 0) {
    error = errno;
    return -1;
  }
  if (::connect(fd, target.ai_addr, target.ai_addrlen) == 0) {
    return fd;
  }
  if (errno != EINPROGRESS) {
    error = errno;
    ::close(fd);
    return -1;
  }
  pollfd entry{fd, POLLOUT, 0};
  int ready = 0;
  do {
    ready = ::poll(&entry, 1, timeoutMs);
  } while (ready < 0 && errno == EINTR);
  if (ready <= 0) {
    error = ready == 0 ? ETIMEDOUT : errno;
    ::close(fd);
    return -1;
  }
  int status = 0;
  socklen_t length = sizeof status;
  if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &status, &length) != 0 || status != 0) {
    error = status != 0 ? status : errno;
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

bool TcpSerialPort::SplitAddress(const std::string& address, std::string& host, std::string& port) {
  const std::size_t colon = address.rfind(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 == address.size()) {
    return false;
  }
  host = address.substr(0, colon);
  port = address.substr(colon + 1);
  if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
    host = host.substr(1, host.size() - 2);
  }
  if (host.empty() || port.size() > 5 ||
      port.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  const long number = std::stol(port);
  return number >= 1 && number <= 65535;
}

std::unique_ptr<TcpSerialPort> TcpSerialPort::Open(const std::string& address, std::string& reason,
                                                   NameLookup lookup) {
  std::string host;
  std::string port;
  if (!SplitAddress(address, host, port)) {
    reason = "Not a host:port address: " + address;
    return nullptr;
  }
  // The name and the connection share one deadline, so a dead server never holds Start long.
  const auto deadline = Clock::now() + std::chrono::milliseconds(kConnectTimeoutMs);
  AddressList addresses(nullptr, &::freeaddrinfo);
  const int status = ResolveBefore(lookup, host, port, deadline, addresses);
  if (status == kLookupTimedOut) {
    reason = "Name lookup timed out: " + host;
    return nullptr;
  }
  if (status != 0 || addresses == nullptr) {
    reason = "Unknown host: " + host + " (" + ::gai_strerror(status) + ")";
    return nullptr;
  }
  int fd = -1;
  int error = ETIMEDOUT;
  for (const addrinfo* target = addresses.get(); target != nullptr && fd < 0;
       target = target->ai_next) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      error = ETIMEDOUT;
      break;
    }
    fd = ConnectWithin(*target, static_cast<int>(left.count()), error);
  }
  if (fd < 0) {
    reason = ConnectFailure(error, address);
    return nullptr;
  }
  return std::unique_ptr<TcpSerialPort>(new TcpSerialPort(fd, address));
}

TcpSerialPort::TcpSerialPort(int fd, std::string address)
    : m_fd(fd), m_address(std::move(address)) {}

TcpSerialPort::~TcpSerialPort() {
  Close();
}

void TcpSerialPort::Purge() {
  if (m_fd < 0) {
    return;
  }
  std::uint8_t sink[512];
  // Bounded: a server flooding the line must not keep Start here.
  for (int round = 0; round < 64; ++round) {
    if (::recv(m_fd, sink, sizeof sink, MSG_DONTWAIT) <= 0) {
      break;
    }
  }
}

long TcpSerialPort::BytesWaiting() {
  if (m_fd < 0) {
    return kGone;
  }
  int waiting = 0;
  if (::ioctl(m_fd, FIONREAD, &waiting) != 0) {
    return kGone;
  }
  if (waiting > 0) {
    return waiting;
  }
  pollfd entry{m_fd, POLLIN, 0};
  int ready = 0;
  do {
    ready = ::poll(&entry, 1, 0);
  } while (ready < 0 && errno == EINTR);
  if (ready < 0 || (entry.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
    return kGone;
  }
  if ((entry.revents & POLLIN) != 0) {
    // Readable with nothing queued: the server shut the connection down (end of stream).
    std::uint8_t probe = 0;
    const ssize_t peeked = ::recv(m_fd, &probe, 1, MSG_PEEK | MSG_DONTWAIT);
    if (peeked == 0 || (peeked < 0 && errno != EAGAIN && errno != EWOULDBLOCK)) {
      return kGone;
    }
  }
  return 0;
}

long TcpSerialPort::Read(std::uint8_t* buffer, std::size_t capacity) {
  if (m_fd < 0) {
    return kGone;
  }
  if (capacity == 0) {
    return 0;
  }
  ssize_t count = 0;
  do {
    count = ::recv(m_fd, buffer, capacity, MSG_DONTWAIT);
  } while (count < 0 && errno == EINTR);
  if (count > 0) {
    return static_cast<long>(count);
  }
  if (count == 0) {
    return kGone;  // orderly shutdown by the server
  }
  return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : kGone;
}

void TcpSerialPort::Close() {
  if (m_fd < 0) {
    return;
  }
  ::close(m_fd);
  m_fd = -1;
}

}  // namespace volmograph
