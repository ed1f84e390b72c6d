#pragma once

#include <netdb.h>

#include <memory>
#include <string>

#include "platform/SerialDevice.h"

namespace volmograph {

// The meter's line through a serial server: a raw TCP connection to "host:port" (IPv6 as
// "[addr]:port") that carries the received bytes unchanged. The server owns the line
// settings, so Configure has nothing to do and there is no DTR to drop.
class TcpSerialPort : public SerialDevice {
 public:
  // Longest wait for the server's name and for it to accept the connection, together.
  static constexpr int kConnectTimeoutMs = 3000;

  // How a host name becomes addresses: getaddrinfo, or a stand-in for it in tests.
  using NameLookup = int (*)(const char* host, const char* port, const addrinfo* hints,
                             addrinfo** found);

  // Null on failure, with a one-line reason such as "Connection refused: localhost:4001".
  static std::unique_ptr<TcpSerialPort> Open(const std::string& address, std::string& reason,
                                             NameLookup lookup = ::getaddrinfo);

  ~TcpSerialPort() override;
  TcpSerialPort(const TcpSerialPort&) = delete;
  TcpSerialPort& operator=(const TcpSerialPort&) = delete;

  bool Configure() override { return m_fd >= 0; }
  // Drops whatever has been received and not yet read.
  void Purge() override;
  // The server closing the connection (or an error on it) reads as kGone once every byte
  // it sent before has been taken.
  long BytesWaiting() override;
  long Read(std::uint8_t* buffer, std::size_t capacity) override;
  void DropDtr() override {}
  void Close() override;
  std::string Name() const override { return m_address; }

  // Splits "host:port" or "[v6]:port"; false when it is not of that form.
  static bool SplitAddress(const std::string& address, std::string& host, std::string& port);

 private:
  TcpSerialPort(int fd, std::string address);

  int m_fd = -1;
  std::string m_address;
};

}  // namespace volmograph
