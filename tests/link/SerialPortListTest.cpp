// The serial device listing, on a fake /dev, /proc, /sys and lock folder whose device nodes
// are symbolic links to real character devices (/dev/zero, /dev/full, ...).

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "link/SerialPortList.h"
#include "support/TestFiles.h"

namespace volmograph::test {
namespace {

namespace fs = std::filesystem;

void Link(const std::string& target, const std::string& at) {
  fs::create_directories(fs::path(at).parent_path());
  fs::create_symlink(target, at);
}

void Write(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  WriteFile(path, text);
}

TEST(SerialPortList, FakeTreeListsDevicesWithTheirNamesAndHolders) {
  TempFolder root;
  DeviceRoots roots{root / "dev", root / "proc", root / "sys", root / "lock"};
  Link("/dev/zero", roots.dev + "/ttyUSB0");
  Link("/dev/urandom", roots.dev + "/ttyUSB10");
  Link("/dev/random", roots.dev + "/ttyUSB2");
  Link("/dev/full", roots.dev + "/ttyACM0");
  Link("/dev/ptmx", roots.dev + "/ttyS0");
  Link("/dev/null", roots.dev + "/ttyS1");  // no UART behind it
  Link("/dev/tty", roots.dev + "/tty0");    // not a serial port
  Link("/dev/tty", roots.dev + "/ttyUSBx");
  Link("../../ttyUSB0", roots.dev + "/serial/by-id/usb-Meter_Cable_0001-if00-port0");
  Write(roots.sys + "/class/tty/ttyS0/type", "4\n");
  Write(roots.sys + "/class/tty/ttyS1/type", "0\n");
  // minicom holds the USB adapter; a lock of pid 1 (always alive) holds the ACM device; our
  // own descriptor of the UART does not count.
  Write(roots.proc + "/4242/comm", "minicom\n");
  Link("/dev/null", roots.proc + "/4242/fd/0");
  Link("/dev/zero", roots.proc + "/4242/fd/3");
  Write(roots.proc + "/1/comm", "picocom\n");
  Link("/dev/ptmx", roots.proc + "/" + std::to_string(::getpid()) + "/fd/5");
  Write(roots.lock + "/LCK..full", "         1\n");

  const std::vector<SerialPortInfo> ports = ListSerialPorts(roots);
  std::vector<std::string> lines;
  for (const SerialPortInfo& port : ports) {
    std::string line = port.path.substr(roots.dev.size() + 1) + " " + PortStatusText(port);
    for (const std::string& name : port.byId) {
      line += " " + name.substr(roots.dev.size() + 1);
    }
    lines.push_back(line);
  }
  EXPECT_EQ(lines,
            (std::vector<std::string>{
                "ttyACM0 in use by picocom, pid 1",
                "ttyS0 free",
                "ttyUSB0 in use by minicom, pid 4242 serial/by-id/usb-Meter_Cable_0001-if00-port0",
                "ttyUSB2 free",
                "ttyUSB10 free",
            }));

  SerialPortInfo forbidden;
  forbidden.accessible = false;
  forbidden.group = "dialout";
  forbidden.holders.push_back(PortHolder{0, 4242, "minicom"});
  EXPECT_EQ(PortStatusText(forbidden),
            "no permission: add the user to the group dialout; in use by minicom, pid 4242");

  const DeviceRoots missing{root / "none", root / "none", root / "none", root / "none"};
  EXPECT_TRUE(ListSerialPorts(missing).empty());
}

}  // namespace
}  // namespace volmograph::test
