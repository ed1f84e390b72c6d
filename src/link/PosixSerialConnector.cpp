#include "link/PosixSerialConnector.h"

#include "link/PosixSerialPort.h"
#include "link/TcpSerialPort.h"

namespace volmograph {

std::unique_ptr<SerialDevice> PosixSerialConnector::OpenPort(const std::string& portName,
                                                             std::string& reason) {
  const std::string target = m_table.Lookup(portName);
  if (target.empty()) {
    reason = "No device is assigned to " + portName + " (section [Ports] of the settings)";
    return nullptr;
  }
  if (PortTable::IsNetworkAddress(target)) {
    return TcpSerialPort::Open(target, reason);
  }
  return PosixSerialPort::Open(target, reason, m_roots);
}

}  // namespace volmograph
