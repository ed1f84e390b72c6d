#pragma once

#include <string>

namespace volmograph {

// Where the system keeps what the serial code inspects before it opens a device. Tests point
// these at a fake tree in a temporary folder.
struct DeviceRoots {
  std::string dev = "/dev";
  std::string proc = "/proc";
  std::string sys = "/sys";
  std::string lock = "/var/lock";  // UUCP lock files
};

}  // namespace volmograph
