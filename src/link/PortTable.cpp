#include "link/PortTable.h"

#include <array>

#include "link/TcpSerialPort.h"

namespace volmograph {

namespace {
constexpr std::array<const char*, 5> kPortKeys = {"COM1", "COM2", "COM3", "COM4", "TELNET"};
constexpr const char* kDevicePrefix = "\\\\.\\";
}  // namespace

PortTable::PortTable() {
  for (int index = 0; index < 4; ++index) {
    m_entries["COM" + std::to_string(index + 1)] = "/dev/ttyS" + std::to_string(index);
  }
}

PortTable PortTable::FromProfile(Profile& profile) {
  PortTable table;
  for (const char* key : kPortKeys) {
    table.Set(key, profile.GetString("Ports", key, table.Lookup(key)));
  }
  return table;
}

std::string PortTable::Key(const std::string& portName) {
  const std::string prefix = kDevicePrefix;
  if (portName.compare(0, prefix.size(), prefix) == 0) {
    return portName.substr(prefix.size());
  }
  return portName;
}

std::string PortTable::Lookup(const std::string& portName) const {
  const auto entry = m_entries.find(Key(portName));
  return entry == m_entries.end() ? std::string() : entry->second;
}

void PortTable::Set(const std::string& portName, const std::string& target) {
  if (target.empty()) {
    m_entries.erase(Key(portName));
  } else {
    m_entries[Key(portName)] = target;
  }
}

bool PortTable::IsNetworkAddress(const std::string& target) {
  if (target.empty() || target.front() == '/') {
    return false;
  }
  std::string host;
  std::string port;
  return TcpSerialPort::SplitAddress(target, host, port);
}

}  // namespace volmograph
