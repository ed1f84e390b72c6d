#pragma once

#include <map>
#include <string>

#include "platform/Profile.h"

namespace volmograph {

// Where the design's port names lead on this machine: "COM1".."COM4" and "TELNET" (the
// serial server "\\.\TELNET") map to a tty path or to "host:port". A name without an entry
// (COM0, or TELNET when none is set) names no device.
class PortTable {
 public:
  // COM1..COM4 on /dev/ttyS0../dev/ttyS3; no serial server.
  PortTable();

  // Section "Ports", keys "COM1".."COM4" and "TELNET"; a missing key keeps the default and
  // an empty value removes the entry.
  static PortTable FromProfile(Profile& profile);

  // The device path or "host:port" for a port name, or "" when there is none.
  // "\\.\TELNET" is looked up as "TELNET".
  std::string Lookup(const std::string& portName) const;
  // An empty target removes the entry.
  void Set(const std::string& portName, const std::string& target);

  // "host:port" rather than a device path.
  static bool IsNetworkAddress(const std::string& target);

 private:
  static std::string Key(const std::string& portName);

  std::map<std::string, std::string> m_entries;
};

}  // namespace volmograph
