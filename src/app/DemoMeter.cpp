#include "app/DemoMeter.h"

#include "platform/IniProfile.h"
#include "sim/MeterSimulator.h"
#include "view/SettingTables.h"

namespace volmograph::shell {

namespace {

// DC volts rising from 0.8 V by 20 mV a second with some noise, so the graphs have a shape.
SimOptions DemoOptions() {
  SimOptions options;
  options.start.function = 'B';
  options.start.value = 0.8;
  options.start.drift = 0.02;
  options.start.noise = 0.05;
  options.seed = 11;
  return options;
}

PortTable EveryPortOn(const std::string& devicePath) {
  PortTable table;
  for (const char* name : {"COM1", "COM2", "COM3", "COM4", "TELNET"}) {
    table.Set(name, devicePath);
  }
  return table;
}

}  // namespace

DemoSerialConnector::DemoSerialConnector(const std::string& devicePath)
    : m_connector(EveryPortOn(devicePath)) {}

std::unique_ptr<SerialDevice> DemoSerialConnector::OpenPort(const std::string&,
                                                            std::string& reason) {
  return m_connector.OpenPort("COM1", reason);
}

DemoMeter::DemoMeter() : m_meter(MeterSimulator(DemoOptions())) {}

DemoMeter::~DemoMeter() {
  m_meter.Stop();
}

bool DemoMeter::Start(std::string& error) {
  if (!m_meter.Start(error)) {
    return false;
  }
  m_connector = std::make_unique<DemoSerialConnector>(m_meter.SlavePath());
  return true;
}

std::unique_ptr<MemoryProfile> DemoProfile(const std::string& settingsPath) {
  auto profile = std::make_unique<MemoryProfile>(IniProfile(settingsPath).Text());
  profile->WriteInt(kSectionSampling, kKeyCurrent, kSamplingChoices[0].storedCode);
  profile->WriteString(kSectionSampling, kKeyUseDisplay, kSamplingChoices[0].paneText);
  return profile;
}

}  // namespace volmograph::shell
