#pragma once

#include <memory>
#include <string>

#include "link/DeviceRoots.h"
#include "link/PortLock.h"
#include "platform/SerialDevice.h"

namespace volmograph {

// A serial line on a tty (/dev/ttyS*, /dev/ttyUSB*, a pseudo-terminal), held exclusively.
// Programs that opened the device before us are found through its UUCP lock file and the
// process table, and refuse the open; programs that come after are kept out by the lock file,
// TIOCEXCL and flock (which also holds for root, who bypasses TIOCEXCL). Non-blocking
// throughout.
class PosixSerialPort : public SerialDevice {
 public:
  // Null on failure, with a one-line reason such as
  // "Device or resource busy: /dev/ttyS1 - in use by minicom, pid 1234".
  static std::unique_ptr<PosixSerialPort> Open(const std::string& path, std::string& reason,
                                               const DeviceRoots& roots = DeviceRoots());

  ~PosixSerialPort() override;
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  // Raw 9600 8-N-1, receiver on, modem status ignored, reads return at once. Succeeds only
  // when the line reads back with those settings.
  bool Configure() override;
  void Purge() override;
  // Bytes still queued are reported before a hang-up, so nothing received is lost.
  long BytesWaiting() override;
  long Read(std::uint8_t* buffer, std::size_t capacity) override;
  // Pseudo-terminals have no modem lines; their refusal is ignored.
  void DropDtr() override;
  void Close() override;
  std::string Name() const override { return m_path; }

 private:
  PosixSerialPort(int fd, std::string path, PortLock lock);
  bool HungUp() const;

  int m_fd = -1;
  std::string m_path;
  PortLock m_lock;
};

// The reason an open of `path` failed with `error`, for the user.
std::string SerialOpenFailure(int error, const std::string& path);

// The group that owns a device node, which the user must belong to ("dialout" if unknown).
std::string DeviceGroup(const std::string& path);

}  // namespace volmograph
