#include "link/SerialPortList.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>

#include "link/PortLock.h"
#include "link/PosixSerialPort.h"

namespace volmograph {

namespace {

namespace fs = std::filesystem;

struct Candidate {
  SerialPortInfo info;
  dev_t device = 0;
};

// "ttyUSB" followed by digits only.
bool NamedLike(const std::string& name, const std::string& prefix) {
  return name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
         std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                     [](unsigned char c) { return std::isdigit(c) != 0; });
}

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    names.push_back(it->path().filename().string());
  }
  return names;
}

// Every ttyS node exists whether or not a UART is behind it. The kernel says which have one
// in sysfs without the port being opened (an open raises DTR and RTS); where sysfs does not
// tell, the port is asked itself.
bool HasUart(const DeviceRoots& roots, const std::string& name, const std::string& path) {
  std::ifstream type(roots.sys + "/class/tty/" + name + "/type");
  int code = -1;
  if (type >> code) {
    return code != PORT_UNKNOWN;
  }
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    // No UART: EIO or ENXIO. A busy or forbidden port is there all the same.
    return errno != EIO && errno != ENXIO && errno != ENODEV;
  }
  serial_struct serial{};
  const bool unknown = ::ioctl(fd, TIOCGSERIAL, &serial) == 0 && serial.type == PORT_UNKNOWN;
  ::close(fd);
  return !unknown;
}

void AddDevice(std::vector<Candidate>& found, const std::string& path) {
  if (const std::optional<dev_t> device = CharacterDeviceId(path)) {
    for (const Candidate& known : found) {
      if (known.device == *device) {
        return;
      }
    }
    Candidate candidate;
    candidate.info.path = path;
    candidate.device = *device;
    found.push_back(candidate);
  }
}

// Each by-id name joins the device it leads to; one that leads elsewhere adds its target.
void AddStableNames(std::vector<Candidate>& found, const std::string& dev) {
  const fs::path folder = fs::path(dev) / "serial" / "by-id";
  std::vector<std::string> names = Names(folder.string());
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    const fs::path link = folder / name;
    const std::optional<dev_t> device = CharacterDeviceId(link.string());
    if (!device) {
      continue;
    }
    std::error_code error;
    const fs::path target = fs::read_symlink(link, error);
    AddDevice(found, error ? link.string() : (folder / target).lexically_normal().string());
    for (Candidate& known : found) {
      if (known.device == *device) {
        known.info.byId.push_back(link.string());
      }
    }
  }
}

void AddHolders(std::vector<Candidate>& found, const DeviceRoots& roots) {
  std::vector<dev_t> devices;
  for (Candidate& candidate : found) {
    devices.push_back(candidate.device);
    if (const int pid = LiveLockHolder(roots.lock, candidate.info.path); pid != 0) {
      candidate.info.holders.push_back(
          PortHolder{candidate.device, pid, ProgramName(roots.proc, pid)});
    }
  }
  for (const PortHolder& holder : FindPortHolders(roots.proc, devices, ::getpid())) {
    for (Candidate& candidate : found) {
      auto& holders = candidate.info.holders;
      const bool known = std::any_of(holders.begin(), holders.end(),
                                     [&](const PortHolder& h) { return h.pid == holder.pid; });
      if (candidate.device == holder.device && !known) {
        holders.push_back(holder);
      }
    }
  }
}

// Splits "ttyUSB10" into "ttyUSB" and 10, so that names sort as people count.
std::pair<std::string, long> SortKey(const std::string& path) {
  std::size_t digits = path.size();
  while (digits > 0 && std::isdigit(static_cast<unsigned char>(path[digits - 1])) != 0) {
    --digits;
  }
  const std::string number = path.substr(digits, 9);
  return {path.substr(0, digits), number.empty() ? -1 : std::stol(number)};
}

}  // namespace

std::vector<SerialPortInfo> ListSerialPorts(const DeviceRoots& roots) {
  std::vector<Candidate> found;
  for (const std::string& name : Names(roots.dev)) {
    const std::string path = roots.dev + "/" + name;
    if (NamedLike(name, "ttyUSB") || NamedLike(name, "ttyACM") ||
        (NamedLike(name, "ttyS") && HasUart(roots, name, path))) {
      AddDevice(found, path);
    }
  }
  AddStableNames(found, roots.dev);
  AddHolders(found, roots);

  std::vector<SerialPortInfo> ports;
  for (Candidate& candidate : found) {
    SerialPortInfo& info = candidate.info;
    info.accessible = ::access(info.path.c_str(), R_OK | W_OK) == 0;
    if (!info.accessible) {
      info.group = DeviceGroup(info.path);
    }
    ports.push_back(std::move(info));
  }
  std::sort(ports.begin(), ports.end(), [](const SerialPortInfo& a, const SerialPortInfo& b) {
    return SortKey(a.path) < SortKey(b.path);
  });
  return ports;
}

std::string PortStatusText(const SerialPortInfo& port) {
  std::string text;
  if (!port.accessible) {
    text = "no permission: add the user to the group " + port.group;
  }
  for (const PortHolder& holder : port.holders) {
    text += (text.empty() ? "" : "; ") + InUseBy(holder.program, holder.pid);
  }
  return text.empty() ? "free" : text;
}

}  // namespace volmograph
