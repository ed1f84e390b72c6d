#pragma once

// Which programs have a serial device open, found through the process table: every
// /proc/PID/fd/N that leads to a character device with the same device number.
// Processes whose descriptors cannot be read (another user's, for a user other than root)
// are not seen; the lock file and the exclusive open cover those.

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace volmograph {

struct PortHolder {
  dev_t device = 0;
  int pid = 0;
  std::string program;  // from /proc/PID/comm
};

// The device number of the character device at `path` (symbolic links followed).
std::optional<dev_t> CharacterDeviceId(const std::string& path);

// True when the system's device registry (/sys/dev/char) files `device` under a class other
// than "tty", as /dev/null: no serial line, though every process may hold it open.
// Unknown devices, pseudo-terminals among them, give false.
bool IsKnownNonTerminal(dev_t device);

// Processes other than `self` that hold one of `devices` open, one entry per device and
// process, looked up under `procRoot`.
std::vector<PortHolder> FindPortHolders(const std::string& procRoot,
                                        const std::vector<dev_t>& devices, int self);

// A process other than `self` that holds `device` open and still does a moment later.
// Programs that open a device for an instant (udev probes, the simulator flushing its line)
// are not holding it.
std::optional<PortHolder> LastingHolder(const std::string& procRoot, dev_t device, int self);

// The program name of a process, or "another program" when it cannot be read.
std::string ProgramName(const std::string& procRoot, int pid);

// "in use by minicom, pid 1234"
std::string InUseBy(const std::string& program, int pid);

}  // namespace volmograph
