#pragma once

#include <memory>
#include <string>

#include "link/DeviceRoots.h"
#include "link/PortTable.h"
#include "platform/SerialDevice.h"

namespace volmograph {

// Opens the design's port names through a PortTable: "host:port" entries reach a serial
// server over TCP, paths open a tty.
class PosixSerialConnector : public SerialConnector {
 public:
  explicit PosixSerialConnector(PortTable table = PortTable(), DeviceRoots roots = DeviceRoots())
      : m_table(std::move(table)), m_roots(std::move(roots)) {}

  std::unique_ptr<SerialDevice> OpenPort(const std::string& portName, std::string& reason) override;

  PortTable& Table() { return m_table; }

 private:
  PortTable m_table;
  DeviceRoots m_roots;
};

}  // namespace volmograph
