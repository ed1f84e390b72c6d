#include "platform/ScriptedSerial.h"

#include <algorithm>

namespace volmograph {

ScriptedSerialDevice::ScriptedSerialDevice(std::shared_ptr<ScriptedLine> line, std::string name)
    : m_line(std::move(line)), m_name(std::move(name)) {
  m_line->open = true;
  ++m_line->opens;
}

ScriptedSerialDevice::~ScriptedSerialDevice() {
  Close();
}

bool ScriptedSerialDevice::Configure() {
  return m_line->configureSucceeds;
}

void ScriptedSerialDevice::Purge() {
  ++m_line->purges;
  m_line->waiting.clear();
}

long ScriptedSerialDevice::BytesWaiting() {
  if (m_line->gone) {
    return kGone;
  }
  return static_cast<long>(m_line->waiting.size());
}

long ScriptedSerialDevice::Read(std::uint8_t* buffer, std::size_t capacity) {
  if (m_line->gone) {
    return kGone;
  }
  const std::size_t count = std::min(capacity, m_line->waiting.size());
  std::copy_n(m_line->waiting.begin(), count, buffer);
  m_line->waiting.erase(m_line->waiting.begin(), m_line->waiting.begin() + count);
  return static_cast<long>(count);
}

void ScriptedSerialDevice::DropDtr() {
  m_line->dtrDropped = true;
}

void ScriptedSerialDevice::Close() {
  if (m_closed) {
    return;
  }
  m_closed = true;
  m_line->open = false;
  ++m_line->closes;
}

ScriptedSerialConnector::ScriptedSerialConnector(std::vector<std::string> ports)
    : m_ports(std::move(ports)) {}

std::unique_ptr<SerialDevice> ScriptedSerialConnector::OpenPort(const std::string& portName,
                                                                std::string& reason) {
  if (std::find(m_ports.begin(), m_ports.end(), portName) == m_ports.end()) {
    reason = "No such device: " + portName;
    return nullptr;
  }
  if (m_line->open) {
    reason = "Device or resource busy: " + portName;
    return nullptr;
  }
  m_line->gone = false;
  m_line->dtrDropped = false;
  m_opened.push_back(portName);
  return std::make_unique<ScriptedSerialDevice>(m_line,
                                                m_line->name.empty() ? portName : m_line->name);
}

}  // namespace volmograph
