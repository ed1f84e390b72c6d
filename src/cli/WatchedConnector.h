#pragma once

// Opens ports through another connector and counts the bytes read from them, so that a run
// can tell a meter that has gone silent (a cable pulled at the meter's end, the meter
// switched off) from one that is still talking.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/SerialDevice.h"

namespace volmograph::cli {

class WatchedConnector : public SerialConnector {
 public:
  explicit WatchedConnector(SerialConnector& inner) : m_inner(inner) {}

  std::unique_ptr<SerialDevice> OpenPort(const std::string& portName, std::string& reason) override;

  // Bytes read so far from every port this opened.
  std::uint64_t BytesRead() const { return *m_bytesRead; }

 private:
  SerialConnector& m_inner;
  // Shared with the devices, which may outlive this.
  std::shared_ptr<std::uint64_t> m_bytesRead = std::make_shared<std::uint64_t>(0);
};

}  // namespace volmograph::cli
