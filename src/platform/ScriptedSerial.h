#pragma once

// A scripted serial line for tests and replays: the test decides which bytes are waiting,
// and whether the device refuses its settings or vanishes.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SerialDevice.h"

namespace volmograph {

// The far end of a scripted line, shared by the connector and the device it opened.
struct ScriptedLine {
  std::deque<std::uint8_t> waiting;  // bytes received and not yet read
  std::string name;                  // what the device calls itself; the port's name if empty
  bool gone = false;                 // the device vanished
  bool open = false;                 // a device is open on the line
  bool configureSucceeds = true;
  bool dtrDropped = false;
  int opens = 0;
  int closes = 0;
  int purges = 0;

  void Feed(std::string_view bytes) { waiting.insert(waiting.end(), bytes.begin(), bytes.end()); }
  void Feed(const std::vector<std::uint8_t>& bytes) {
    waiting.insert(waiting.end(), bytes.begin(), bytes.end());
  }
};

class ScriptedSerialDevice : public SerialDevice {
 public:
  ScriptedSerialDevice(std::shared_ptr<ScriptedLine> line, std::string name);
  ~ScriptedSerialDevice() override;

  bool Configure() override;
  void Purge() override;
  long BytesWaiting() override;
  long Read(std::uint8_t* buffer, std::size_t capacity) override;
  void DropDtr() override;
  void Close() override;
  std::string Name() const override { return m_name; }

 private:
  std::shared_ptr<ScriptedLine> m_line;
  std::string m_name;
  bool m_closed = false;
};

// Opens the scripted line under any port name listed in `ports`; other names fail as a
// missing device would.
class ScriptedSerialConnector : public SerialConnector {
 public:
  explicit ScriptedSerialConnector(std::vector<std::string> ports = {"COM1", "COM2", "COM3",
                                                                     "COM4"});
  std::unique_ptr<SerialDevice> OpenPort(const std::string& portName, std::string& reason) override;

  std::shared_ptr<ScriptedLine> Line() const { return m_line; }
  const std::vector<std::string>& OpenedPorts() const { return m_opened; }

 private:
  std::shared_ptr<ScriptedLine> m_line = std::make_shared<ScriptedLine>();
  std::vector<std::string> m_ports;
  std::vector<std::string> m_opened;
};

}  // namespace volmograph
