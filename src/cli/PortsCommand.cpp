// volmograph-cli ports: the serial devices present, whether the user may open them and who
// holds them, and how the program's port names COM1..COM4 and TELNET map onto them in the
// user's settings file (which is only read, never written).

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/Commands.h"
#include "link/CComTR6400.h"
#include "link/PortTable.h"
#include "link/SerialPortList.h"
#include "platform/IniProfile.h"
#include "view/SettingsCheck.h"

namespace volmograph::cli {

namespace {

constexpr std::array<const char*, 5> kPortNames = {"COM1", "COM2", "COM3", "COM4", "TELNET"};

constexpr const char* kUsage =
    "usage: volmograph-cli ports\n"
    "Lists the serial devices present, whether you may open them and which program holds\n"
    "them, and how COM1..COM4 and the serial server TELNET map onto devices in your\n"
    "settings file ($VOLMOGRAPH_INI, else $XDG_CONFIG_HOME/volmograph.ini, else\n"
    "~/.config/volmograph.ini). The settings file is only read.\n";

// Settings and device names come from outside; control characters stay off the terminal.
std::string Printable(std::string text) {
  for (char& c : text) {
    if (c >= 0 && c < ' ') {
      c = '?';
    }
  }
  return text;
}

void PrintDevices(const std::vector<SerialPortInfo>& ports) {
  std::puts("Serial devices:");
  if (ports.empty()) {
    std::puts("  none found");
  }
  for (const SerialPortInfo& port : ports) {
    std::printf("  %-14s %s\n", Printable(port.path).c_str(),
                Printable(PortStatusText(port)).c_str());
    for (const std::string& name : port.byId) {
      std::printf("  %-14s also %s\n", "", Printable(name).c_str());
    }
  }
}

// The port Start opens: the stored index + 1, with 5 and above naming the serial server.
std::string ChosenPort(Profile& profile) {
  const long long number = std::clamp(profile.GetInt("COMM", "Port", 1) + 1LL, 0LL, 255LL);
  const std::string name = CComTR6400::PortName(static_cast<unsigned>(number));
  return name.find("TELNET") != std::string::npos ? "TELNET" : name;
}

std::string TargetText(const std::string& target) {
  if (target.empty()) {
    return "(none)";
  }
  struct stat info {};
  if (!PortTable::IsNetworkAddress(target) && ::stat(target.c_str(), &info) != 0) {
    return Printable(target) + " (missing)";
  }
  return Printable(target);
}

void PrintMapping(const std::string& path, const std::vector<SerialPortInfo>& ports) {
  IniProfile profile(path);
  const PortTable table = PortTable::FromProfile(profile);
  const std::string chosen = ChosenPort(profile);
  struct stat info {};
  const bool exists = ::stat(path.c_str(), &info) == 0;
  std::printf("\nPorts of %s%s:\n", Printable(path).c_str(), exists ? "" : " (no such file yet)");
  for (const std::string& problem : SettingsFileProblems(profile)) {
    std::printf("  Problem: %s\n", Printable(problem).c_str());
  }
  for (const char* name : kPortNames) {
    std::printf("  %-7s %s%s\n", name, TargetText(table.Lookup(name)).c_str(),
                chosen == name ? "   <- chosen (section [COMM], Port)" : "");
  }
  if (chosen == "COM0") {
    std::puts("  The chosen port COM0 names no device: choose one under Comm Port.");
  }
  // The example names a device present here, by its stable name where it has one.
  std::string example = "/dev/ttyUSB0";
  if (!ports.empty()) {
    example = ports.front().byId.empty() ? ports.front().path : ports.front().byId.front();
  }
  std::printf(
      "To change one, edit section [Ports] of that file, e.g.\n"
      "  [Ports]\n"
      "  COM2=%s\n"
      "  TELNET=192.168.1.20:4001\n"
      "A missing key keeps the default (COM1..COM4 = /dev/ttyS0..3, no TELNET);\n"
      "an empty value removes the port.\n",
      Printable(example).c_str());
}

}  // namespace

int RunPorts(int argc, char** argv) {
  if (argc == 1 && (std::string_view(argv[0]) == "--help" || std::string_view(argv[0]) == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc != 0) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::vector<SerialPortInfo> ports = ListSerialPorts();
  PrintDevices(ports);
  PrintMapping(DefaultProfilePath(), ports);
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    std::fputs("volmograph-cli ports: cannot write the listing\n", stderr);
    return 1;
  }
  return 0;
}

}  // namespace volmograph::cli
