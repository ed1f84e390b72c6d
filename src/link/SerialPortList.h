#pragma once

// The serial devices present on this machine, for the user choosing a port: USB adapters
// (ttyUSB*, ttyACM*), the stable names udev gives them under /dev/serial/by-id, and the
// built-in ports (ttyS*) that have a UART behind them. For each, whether the user may open it
// and which programs hold it (its lock file and the process table).

#include <string>
#include <vector>

#include "link/DeviceRoots.h"
#include "link/PortHolders.h"

namespace volmograph {

struct SerialPortInfo {
  std::string path;               // e.g. /dev/ttyUSB0
  std::vector<std::string> byId;  // full paths under /dev/serial/by-id that lead to it
  bool accessible = true;         // the user may read and write it
  std::string group;              // the group that owns it, when it is not accessible
  std::vector<PortHolder> holders;
};

// Sorted by path, numbers in names compared as numbers (ttyUSB2 before ttyUSB10).
std::vector<SerialPortInfo> ListSerialPorts(const DeviceRoots& roots = DeviceRoots());

// "free", "in use by minicom, pid 1234", "no permission: add the user to the group dialout",
// or both of the last two joined by "; ".
std::string PortStatusText(const SerialPortInfo& port);

}  // namespace volmograph
