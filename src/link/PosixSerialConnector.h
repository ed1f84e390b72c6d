#pragma once

#include <memory>
#include <string>

#include "link/PortTable.h"
#include "platform/SerialDevice.h"

namespace volmograph {

// Opens the design's port names through a PortTable: "host:port" entries reach a serial
// server over TCP, paths open a tty.
class PosixSerialConnector : public SerialConnector {
 public:
  explicit PosixSerialConnector(PortTable table = PortTable()) : m_table(std::move(table)) {}

  std::unique_ptr<SerialDevice> OpenPort(const std::string& portName, std::string& reason) override;

  PortTable& Table() { return m_table; }

 private:
  PortTable m_table;
};

}  // namespace volmograph
