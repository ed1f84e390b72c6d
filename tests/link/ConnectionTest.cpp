// Opening and closing the meter's connection, and where port names lead.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "LinkTestSupport.h"
#include "link/PortTable.h"
#include "link/PosixSerialConnector.h"

namespace volmograph::test {
namespace {

TEST(LinkConnection, PortNumbersNameTheDevices) {
  EXPECT_EQ(CComTR6400::PortName(0), "COM0");
  EXPECT_EQ(CComTR6400::PortName(1), "COM1");
  EXPECT_EQ(CComTR6400::PortName(4), "COM4");
  EXPECT_EQ(CComTR6400::PortName(5), "\\\\.\\TELNET");
  EXPECT_EQ(CComTR6400::PortName(255), "\\\\.\\TELNET");
}

TEST(LinkConnection, OpenPurgesAndConnects) {
  ScriptedMeter fixture(false);
  fixture.line->Feed("left over from before Start");
  EXPECT_EQ(fixture.meter.Open(3), 1);
  EXPECT_EQ(fixture.meter.m_connected, 1);
  EXPECT_EQ(fixture.connector.OpenedPorts(), std::vector<std::string>{"COM3"});
  EXPECT_TRUE(fixture.line->waiting.empty());
  EXPECT_EQ(fixture.meter.m_baudRate, 9600u);
  EXPECT_EQ(fixture.meter.m_byteSize, 8);
  EXPECT_EQ(fixture.meter.m_portNumber, 3);
  EXPECT_TRUE(fixture.prompter.Messages().empty());
}

TEST(LinkConnection, PortsWithoutADeviceFailWithTheMessage) {
  // Scripted lines for COM1..COM4 only; the real connector's default table has no COM0
  // and no serial server.
  PosixSerialConnector posix;
  ScriptedSerialConnector scripted;
  for (SerialConnector* connector :
       {static_cast<SerialConnector*>(&posix), static_cast<SerialConnector*>(&scripted)}) {
    for (std::uint8_t port : {0, 7}) {
      SCOPED_TRACE(port);
      RecordingPrompter prompter;
      CComTR6400 meter(*connector, prompter);
      EXPECT_EQ(meter.Open(port), 0);
      EXPECT_EQ(meter.m_connected, 0);
      EXPECT_EQ(meter.m_hComm, nullptr);
      ASSERT_EQ(prompter.Messages().size(), 1u);
      EXPECT_EQ(prompter.Messages()[0].text, "Failed to Open ComPort");
      EXPECT_NE(prompter.Messages()[0].detail.find(port == 0 ? "COM0" : "TELNET"),
                std::string::npos)
          << prompter.Messages()[0].detail;
    }
  }
}

TEST(LinkConnection, RefusedSettingsCloseAndAreTold) {
  ScriptedMeter fixture(false);
  fixture.line->configureSucceeds = false;
  EXPECT_EQ(fixture.meter.Open(1), 0);
  EXPECT_EQ(fixture.meter.m_connected, 0);
  EXPECT_FALSE(fixture.line->open);
  ASSERT_EQ(fixture.prompter.Messages().size(), 1u);
  EXPECT_EQ(fixture.prompter.Messages()[0].text, "Failed to Open ComPort");
  EXPECT_EQ(fixture.prompter.Messages()[0].detail,
            "COM1 does not take 9600 baud, 8 data bits, no parity, 1 stop bit");
  fixture.line->configureSucceeds = true;
  EXPECT_EQ(fixture.meter.Open(1), 1);
}

TEST(LinkConnection, CloseDropsDtrOnceAndAllowsReopening) {
  ScriptedMeter fixture;
  ASSERT_EQ(fixture.meter.m_connected, 1);
  EXPECT_EQ(fixture.meter.Close(), 1);
  EXPECT_TRUE(fixture.line->dtrDropped);
  EXPECT_FALSE(fixture.line->open);
  EXPECT_EQ(fixture.meter.Close(), 1);
  EXPECT_EQ(fixture.line->closes, 1);
  EXPECT_EQ(fixture.meter.Poll(), POLL_NOTHING);

  EXPECT_EQ(fixture.meter.Open(1), 1);
  fixture.line->Feed(Frame('B'));
  EXPECT_EQ(fixture.meter.Poll(), POLL_DONE);
  EXPECT_EQ(fixture.meter.m_lastFrame, Frame('B'));
}

TEST(LinkConnection, PortInUseIsRefusedWithTheReason) {
  ScriptedMeter fixture;
  RecordingPrompter prompter;
  CComTR6400 second(fixture.connector, prompter);
  EXPECT_EQ(second.Open(1), 0);
  ASSERT_EQ(prompter.Messages().size(), 1u);
  EXPECT_EQ(prompter.Messages()[0].text, "Failed to Open ComPort");
  EXPECT_NE(prompter.Messages()[0].detail.find("busy"), std::string::npos);
  EXPECT_EQ(fixture.meter.m_connected, 1);
}

TEST(LinkConnection, DestructionClosesThePort) {
  ScriptedSerialConnector connector;
  RecordingPrompter prompter;
  {
    CComTR6400 meter(connector, prompter);
    ASSERT_EQ(meter.Open(2), 1);
  }
  EXPECT_FALSE(connector.Line()->open);
  EXPECT_TRUE(connector.Line()->dtrDropped);
}

class MapProfile : public Profile {
 public:
  std::map<std::string, std::string> values;
  int GetInt(const std::string&, const std::string&, int fallback) override { return fallback; }
  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& fallback) override {
    const auto found = values.find(section + "/" + key);
    return found == values.end() ? fallback : found->second;
  }
  bool WriteInt(const std::string&, const std::string&, int) override { return false; }
  bool WriteString(const std::string&, const std::string&, const std::string&) override {
    return false;
  }
};

TEST(LinkPortTable, ProfileOverridesTheDefaults) {
  MapProfile profile;
  profile.values["Ports/COM1"] = "/dev/ttyUSB0";
  profile.values["Ports/COM2"] = "";
  profile.values["Ports/TELNET"] = "meter-server:4001";
  const PortTable table = PortTable::FromProfile(profile);
  EXPECT_EQ(table.Lookup("COM1"), "/dev/ttyUSB0");
  EXPECT_EQ(table.Lookup("COM2"), "");
  EXPECT_EQ(table.Lookup("COM3"), "/dev/ttyS2");
  EXPECT_EQ(table.Lookup("COM0"), "");
  EXPECT_EQ(table.Lookup(CComTR6400::PortName(5)), "meter-server:4001");
  EXPECT_EQ(PortTable().Lookup("TELNET"), "");
}

TEST(LinkPortTable, TellsServersFromDevicePaths) {
  EXPECT_TRUE(PortTable::IsNetworkAddress("localhost:4001"));
  EXPECT_TRUE(PortTable::IsNetworkAddress("[::1]:4001"));
  EXPECT_TRUE(PortTable::IsNetworkAddress("10.0.0.7:23"));
  EXPECT_FALSE(PortTable::IsNetworkAddress("/dev/ttyUSB0"));
  EXPECT_FALSE(PortTable::IsNetworkAddress("/dev/serial/by-id/usb-FTDI:1"));
  EXPECT_FALSE(PortTable::IsNetworkAddress("host:"));
  EXPECT_FALSE(PortTable::IsNetworkAddress("host:99999"));
  EXPECT_FALSE(PortTable::IsNetworkAddress("host:12ab"));
}

TEST(LinkPosixSerialConnector, FailuresNameTheCauseAndTheDevice) {
  char file[] = "/tmp/volmograph-link-XXXXXX";
  const int fd = ::mkstemp(file);
  ASSERT_GE(fd, 0);
  ::close(fd);
  PortTable table;
  table.Set("COM1", "/dev/volmograph-no-such-tty");
  table.Set("COM2", file);
  PosixSerialConnector connector(table);
  std::string reason;
  EXPECT_EQ(connector.OpenPort("COM1", reason), nullptr);
  EXPECT_EQ(reason, "No such file or directory: /dev/volmograph-no-such-tty");
  EXPECT_EQ(connector.OpenPort("COM2", reason), nullptr);
  EXPECT_EQ(reason, std::string("Not a serial device: ") + file);
  ::unlink(file);
  // Every process holds /dev/null: that is no reason to call it busy.
  if (std::filesystem::exists("/sys/dev/char")) {
    table.Set("COM3", "/dev/null");
    PosixSerialConnector devices(table);
    EXPECT_EQ(devices.OpenPort("COM3", reason), nullptr);
    EXPECT_EQ(reason, "Not a serial device: /dev/null");
  }
}

}  // namespace
}  // namespace volmograph::test
