#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace volmograph {

// An open serial line from the meter. The meter only talks, so there is no write.
class SerialDevice {
 public:
  // Returned by BytesWaiting and Read when the device has gone away
  // (adapter unplugged, line hung up, far end closed).
  static constexpr long kGone = -1;

  virtual ~SerialDevice() = default;

  // 9600 baud, 8 data bits, no parity, one stop bit, raw. False when the device refuses.
  virtual bool Configure() = 0;
  // Discards whatever is queued in either direction.
  virtual void Purge() = 0;
  // Number of received bytes waiting, or kGone.
  virtual long BytesWaiting() = 0;
  // Reads at most `capacity` bytes without blocking: the count read (0 when nothing), or kGone.
  virtual long Read(std::uint8_t* buffer, std::size_t capacity) = 0;
  // Drops DTR; devices without modem lines ignore it.
  virtual void DropDtr() = 0;
  virtual void Close() = 0;
  // The device's own name for messages, e.g. "/dev/ttyUSB0" or "localhost:4001".
  virtual std::string Name() const = 0;
};

// Opens serial devices by the design's port names ("COM1".."COM4", "COM0", "\\.\TELNET").
class SerialConnector {
 public:
  virtual ~SerialConnector() = default;
  // Opens the port exclusively. On failure returns null and puts a one-line reason
  // for the user into `reason` (e.g. "Device or resource busy: /dev/ttyS1").
  virtual std::unique_ptr<SerialDevice> OpenPort(const std::string& portName,
                                                 std::string& reason) = 0;
};

}  // namespace volmograph
