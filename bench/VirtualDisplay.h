#pragma once

// A virtual X display (Xvfb) for the time of a benchmark: a real display server, drawing
// into memory, with no window manager. A window shown on it is created, mapped and exposed
// by the server, as on a desktop. Name() is empty when no server could be started.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace volmograph::bench {

class VirtualDisplay {
 public:
  VirtualDisplay() {
    int ready[2];
    if (pipe(ready) != 0) {
      return;
    }
    // The server picks a free display number and writes it to `ready` once it listens.
    const pid_t parent = getpid();
    m_pid = fork();
    if (m_pid == 0) {
      // The server goes with this process, however it ends.
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      if (getppid() != parent) {
        _exit(1);
      }
      const int quiet = open("/dev/null", O_WRONLY);
      dup2(quiet, STDOUT_FILENO);
      dup2(quiet, STDERR_FILENO);
      dup2(ready[1], kReadyFd);
      closefrom(kReadyFd + 1);  // nothing else of this process's goes to the server
      execlp("Xvfb", "Xvfb", "-displayfd", std::to_string(kReadyFd).c_str(), "-screen", "0",
             "1280x800x24", "-nolisten", "tcp", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(ready[1]);
    if (m_pid < 0) {
      close(ready[0]);
      return;
    }
    std::string number;
    pollfd waiting{ready[0], POLLIN, 0};
    char digit = 0;
    while (poll(&waiting, 1, kStartTimeoutMs) == 1 && read(ready[0], &digit, 1) == 1 &&
           digit != '\n') {
      number += digit;
    }
    close(ready[0]);
    if (digit == '\n' && !number.empty()) {
      m_name = ":" + number;
    }
  }

  ~VirtualDisplay() {
    if (m_pid > 0) {
      kill(m_pid, SIGTERM);
      waitpid(m_pid, nullptr, 0);
    }
  }

  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  const std::string& Name() const { return m_name; }

  // This process's environment with Qt sent to this display, for the programs it starts.
  class ClientEnvironment {
   public:
    explicit ClientEnvironment(const VirtualDisplay& display) {
      for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        if (text.rfind("QT_QPA_PLATFORM=", 0) != 0 && text.rfind("DISPLAY=", 0) != 0 &&
            text.rfind("WAYLAND_DISPLAY=", 0) != 0) {
          m_entries.push_back(text);
        }
      }
      m_entries.push_back("QT_QPA_PLATFORM=xcb");
      m_entries.push_back("DISPLAY=" + display.Name());
      for (std::string& entry : m_entries) {
        m_pointers.push_back(entry.data());
      }
      m_pointers.push_back(nullptr);
    }
    char* const* Get() const { return m_pointers.data(); }

   private:
    std::vector<std::string> m_entries;
    std::vector<char*> m_pointers;
  };

 private:
  static constexpr int kStartTimeoutMs = 10000;
  static constexpr int kReadyFd = 3;
  pid_t m_pid = -1;
  std::string m_name;
};

}  // namespace volmograph::bench
