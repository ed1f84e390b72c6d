#pragma once

// `volmograph --demo`: a simulated meter on a pseudo-terminal stands in for every serial
// port for this run only. The user's settings are copied into memory, so nothing the demo
// changes is written back; the copy samples every 250 ms, so readings arrive at once.

#include <memory>
#include <string>

#include "link/PosixSerialConnector.h"
#include "platform/MemoryProfile.h"
#include "platform/SerialDevice.h"
#include "sim/PtyMeter.h"

namespace volmograph::shell {

// Opens the simulator's pseudo-terminal whatever port the view asks for.
class DemoSerialConnector : public SerialConnector {
 public:
  explicit DemoSerialConnector(const std::string& devicePath);
  std::unique_ptr<SerialDevice> OpenPort(const std::string& portName, std::string& reason) override;

 private:
  PosixSerialConnector m_connector;
};

class DemoMeter {
 public:
  DemoMeter();
  ~DemoMeter();

  // Starts the simulator; false with a one-line reason when no pseudo-terminal can be had.
  bool Start(std::string& error);
  // The next message the simulator sends is a waveform capture.
  void SendWaveform() { m_meter.RequestWaveform(); }
  // The meter goes away as if its cable were pulled: its port reads as gone from then on.
  void Unplug() { m_meter.Stop(); }

  // Valid after Start.
  SerialConnector& Connector() { return *m_connector; }
  const std::string& DevicePath() const { return m_meter.SlavePath(); }

 private:
  PtyMeter m_meter;
  std::unique_ptr<DemoSerialConnector> m_connector;
};

// The settings file's text in memory, with the sampling time set to 250 ms. A missing or
// unreadable file gives the defaults.
std::unique_ptr<MemoryProfile> DemoProfile(const std::string& settingsPath);

}  // namespace volmograph::shell
